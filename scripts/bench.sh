#!/usr/bin/env bash
# Builds and runs every benchmark, then prints each figure beside its budget
# and, where there is one, its baseline (the plain copy, the literal
# algorithm, the full redraw) as a ratio. Figures of a busy machine are
# worth little: run it on an idle one.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/build.sh" >/dev/null
out="$(mktemp -d)"
for bench in "$top"/build/bin/*_bench; do
  # The file benchmarks wait on the disk, whose write-out and freeing of
  # blocks swing a single run by half: they start on a settled disk (the
  # benchmarks before them write files too), run five times with their
  # repetitions shuffled among each other, and each figure is the median.
  repeat=()
  if [ "$(basename "$bench")" = korv_bench ]; then
    sync
    repeat=(--benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
      --benchmark_report_aggregates_only=true)
  fi
  "$bench" --benchmark_format=json --benchmark_min_time=0.5 "${repeat[@]}" \
    >"$out/$(basename "$bench").json"
done
python3 - "$out" <<'PY'
import json, pathlib, sys

# benchmark: (budget in ms or None, baseline benchmark or None, the most
# the figure may be as a multiple of its baseline, or None)
BUDGETS = {
    "BM_LoadAndSaveMap": (None, "BM_CopyMapBytes", 1.3),
    "BM_RedrawBuffers/0": (16, "BM_BufferCopyBaseline", None),
    "BM_RedrawBuffers/1": (16, "BM_BufferCopyBaseline", None),
    "BM_RedrawHex": (0.05, None, None),
    "BM_ScrollOneStep/vertical:0": (0.3, "BM_RedrawBuffers/0", None),
    "BM_ScrollOneStep/vertical:1": (0.3, "BM_RedrawBuffers/0", None),
    "BM_ScrollStepsOneWay/vertical:0": (0.3, "BM_RedrawBuffers/0", None),
    "BM_ScrollStepsOneWay/vertical:1": (0.3, "BM_RedrawBuffers/0", None),
    "BM_MemorizeRoadTilePatterns": (2000, "BM_MemorizeRoadsOneFilePerRecord", None),
    "BM_ChooseRoadTileFromAFullLibrary": (16, None, None),
    "BM_RecordAPaintedRoadIntoAFullLibrary": (16, None, None),
    "BM_LandMasses1000": (1000, None, None),
    "BM_LandMasses150": (None, "BM_LandMasses150SweepingAtEveryMerge", None),
    "BM_CreateSeasonalMaps": (2000, "BM_ReadAndWriteTheSameBytesSixTimes", 1.5),
    "BM_JumpBoxAfterAScrollStep": (5, "BM_CopyTheWholeStrategicPicture", None),
    "BM_OpenTheLargestMapToItsFirstView/iterations:3": (2000, "BM_ReadTheLargestMapsBytes/iterations:3", 1.2),
    "BM_RedrawAWindowAtZoom/percent:25": (16, "BM_RedrawAWindowAtZoom/percent:100", None),
    "BM_PaintAStroke/mode:1": (1000, "BM_PaintAStroke/mode:0", None),
    "BM_PaintAStroke/mode:2": (1600, "BM_PaintAStroke/mode:1", None),
    "BM_PaintAStroke/mode:3": (1600, "BM_PaintAStroke/mode:1", None),
    "BM_KeepAMapWideChange": (100, "BM_CopyTheMapsLayers", 5.0),
    "BM_KeepAMapWideChangeOverVariedTiles": (100, "BM_CopyTheMapsLayers", None),
    "BM_FirstRedrawAfterZoomingOut/percent:25": (500, "BM_RedrawAWindowAtZoom/percent:25", None),
    "BM_FirstRedrawAfterZoomingOut/percent:33": (50, "BM_RedrawAWindowAtZoom/percent:25", None),
    "BM_UndoAndRedoAStroke": (1600, None, None),
}
# A second, stated baseline beside the first: the same bytes as the work
# reads and writes, copied plainly.
ALSO = {"BM_LoadAndSaveMap": "BM_CopyTheBytesOfALoadAndSave"}
UNIT = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1000.0}
times = {}
for path in sorted(pathlib.Path(sys.argv[1]).glob("*.json")):
    for b in json.loads(path.read_text())["benchmarks"]:
        if b.get("run_type") == "aggregate":
            if b.get("aggregate_name") != "median":
                continue
            b["name"] = b["run_name"]
        times[b["name"]] = b["real_time"] * UNIT[b["time_unit"]]
print(f"{'benchmark':44} {'ms':>10} {'budget':>10} {'baseline ratio':>16}")
for name, ms in times.items():
    budget, baseline, most = BUDGETS.get(name, (None, None, None))
    ratio = ""
    if baseline and baseline in times and times[baseline] > 0:
        ratio = f"{ms / times[baseline]:.2f} x {baseline}"
        if most:
            ratio += f" (at most {most:g})"
    shown = f"{budget:g}" if budget else ""
    over = (budget and ms > budget) or (most and baseline in times and ms > most * times[baseline])
    verdict = "  OVER" if over else ("  within" if budget or most else "")
    print(f"{name:44} {ms:10.3f} {shown:>10} {ratio:>16}{verdict}")
    if ALSO.get(name) in times and times[ALSO[name]] > 0:
        print(f"{'':44} {'':10} {'':10} {ms / times[ALSO[name]]:.2f} x {ALSO[name]}")
PY

# Peak memory of korvmap on the largest map (3999 x 3999), from
# /usr/bin/time -v, beside the size of the map's layers as the map file
# holds them (15 bytes a hex; in memory HexOriginalOwner adds one).
game="$out/game"
"$top/build/bin/korv-demo-game" "$game" >/dev/null
big="$game/maps/largest.map"
"$top/build/bin/korvmap" --folder "$game" new --width 3999 --height 3999 --random-tiles "$big" \
  >/dev/null
layers="$(stat -c %s "$big")"
peak() {  # what it is, then korvmap's arguments
  local what="$1"
  shift
  /usr/bin/time -v -o "$out/time.txt" "$top/build/bin/korvmap" --folder "$game" "$@" >/dev/null
  local kb
  kb="$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$out/time.txt")"
  python3 - "$what" "$kb" "$layers" <<'PY'
import sys
what, kb, layers = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
ratio = kb * 1024 / layers
verdict = "  within" if ratio <= 1.3 else "  OVER"
print(f"{what:44} {kb / 1024:7.0f} MB peak, {ratio:.2f} x the map's {layers / 2**20:.0f} MB"
      f" (at most 1.3){verdict}")
PY
}
echo
peak "korvmap convert, 3999 x 3999" convert "$big" "$game/maps/converted.map"
peak "korvmap apply land masses, 3999 x 3999" apply "$big" "$game/maps/masses.map" \
  "Determine Separate Land Masses"

# The game folder's small files fuzzed as CI builds the fuzzer (build-fuzz/,
# see .ci/run), when that build is there: executions a second in 60 s from
# the demo folder's seeds, beside the 5 000 it should reach.
fuzzer="$top/build-fuzz/bin/fuzz_game_files"
if [ -x "$fuzzer" ]; then
  # A demo folder of its own: the one above now holds maps of 240 MB.
  "$top/build/bin/korv-demo-game" "$out/fuzz-game" >/dev/null
  "$top/scripts/fuzz-seeds.sh" "$out/fuzz-game" "$out/seeds" >/dev/null
  mkdir -p "$out/corpus"
  if ! "$fuzzer" -max_total_time=60 -max_len=16384 -rss_limit_mb=2048 -print_final_stats=1 \
    "$out/corpus" "$out/seeds" 2>"$out/fuzz.txt"; then
    echo "fuzz_game_files stopped on a finding: see its output below" >&2
    cat "$out/fuzz.txt" >&2
  fi
  rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$out/fuzz.txt")"
  verdict="  OVER"
  [ "${rate:-0}" -ge 5000 ] && verdict="  within"
  printf '%-44s %7s executions a second (at least 5000)%s\n' "fuzz_game_files, 60 s" "${rate:-?}" \
    "$verdict"
fi
rm -rf "$out"
