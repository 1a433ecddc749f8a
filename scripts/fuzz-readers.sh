#!/usr/bin/env bash
# Runs fuzz_game_files pinned to one reader at a time (KORV_FUZZ_READER), each
# for RUNS executions on a corpus of its own, seeded with that reader's seeds
# from scripts/fuzz-seeds.sh, and prints per reader the executions it was
# given, the wall and CPU time and the executions a second. A crash stops that
# reader's run, leaves the input in OUT/reader-N/ and fails the script at the
# end; the other readers still run.
# Usage: scripts/fuzz-readers.sh FUZZER SEEDS OUT [RUNS [READER...]]
#   READER is an index 0..12 (default: all 13, one after the other).
# Extra libFuzzer options can be given in FUZZ_OPTIONS.
set -uo pipefail
fuzzer="$1"
seeds="$2"
out="$3"
runs="${4:-100000}"
shift $(($# < 4 ? $# : 4))
readers=("$@")
[ ${#readers[@]} -gt 0 ] || readers=(0 1 2 3 4 5 6 7 8 9 10 11 12)
mkdir -p "$out"
failed=0
printf '%-6s %-22s %10s %8s %8s %8s %9s %s\n' reader name executions wall_s cpu_s exec/s exec/cpu_s result
for n in "${readers[@]}"; do
  dir="$out/reader-$n"
  mkdir -p "$dir/corpus"
  cp "$seeds"/seed-"$n"-* "$dir/corpus/" 2>/dev/null || true
  start=$(date +%s.%N)
  # shellcheck disable=SC2086
  KORV_FUZZ_READER="$n" /usr/bin/time -f 'cpu %U %S' -o "$dir/time" \
    "$fuzzer" -runs="$runs" -max_len=16384 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$dir/" ${FUZZ_OPTIONS:-} "$dir/corpus" >"$dir/log" 2>&1
  status=$?
  end=$(date +%s.%N)
  # The target's own count of the inputs this reader was given.
  line=$(grep 'inputs by reader' "$dir/log" | tail -n 1)
  name=$(printf '%s' "$line" | tr ',:' '\n' | awk -v n="$n" 'NR == n + 2' | sed 's/ [0-9]*$//; s/^ //')
  execs=$(printf '%s' "$line" | tr ',:' '\n' | awk -v n="$n" 'NR == n + 2 { print $NF }')
  wall=$(echo "$end - $start" | bc)
  cpu=$(awk '/^cpu/ { print $2 + $3 }' "$dir/time")
  rate=$(echo "${execs:-0} / $wall" | bc)
  cpurate=$(echo "${execs:-0} / (${cpu:-0} + 0.01)" | bc)
  result=ok
  if [ "$status" -ne 0 ]; then
    result="FAILED (exit $status, see $dir/log)"
    failed=1
  fi
  printf '%-6s %-22s %10s %8.0f %8.1f %8s %9s %s\n' "$n" "${name:-?}" "${execs:-?}" "$wall" \
    "${cpu:-0}" "$rate" "$cpurate" "$result"
done
exit "$failed"
