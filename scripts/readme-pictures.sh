#!/usr/bin/env bash
# Makes the README's auto-tiling pictures with korvmap, so they always show
# what the editor does: on a fresh demo folder, a road and a small lake are
# painted hex by hex with Auto-Tile on, once as before and once with "Fit
# Neighbours" (--fit), and each map is drawn with korvmap render into
# docs/fit-before.png and docs/fit-after.png. It prints what korvmap seams
# finds on each map. Needs the build (scripts/build.sh).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bin="$top/build/bin"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
game="$work/game"
"$bin/korv-demo-game" "$game" >/dev/null
korvmap() { "$bin/korvmap" --folder "$game" "$@"; }

# The demo's first clear road through top and bottom, and its first lake tile.
read -r road lake < <(python3 - "$game" <<'PY'
import sys, pathlib
game = pathlib.Path(sys.argv[1])
terrain = (game / "mapedit/tiletype.dat").read_bytes()
roads = (game / "mapedit/roadinfo.dat").read_bytes()
road = next(t for t in range(len(terrain))
            if terrain[t] == 1 and roads[6 * t:6 * t + 6] == bytes([1, 0, 0, 1, 0, 0]))
lake = next(t for t in range(len(terrain)) if terrain[t] == 11)
print(road, lake)
PY
)

korvmap new --width 15 --height 10 --seed 1 "$work/blank.map" >/dev/null
path="2,5 3,5 4,4 5,4 6,3 7,3 8,3 9,4 10,4"
pond="12,5 13,6 13,7 12,7 11,7 11,6 12,6"
for kind in before after; do
  fit=()
  [ "$kind" = after ] && fit=(--fit)
  # shellcheck disable=SC2086
  korvmap paint "$work/blank.map" "$work/road-$kind.map" --tile "$road" --auto "${fit[@]}" \
    --seed 1 $path >/dev/null
  # shellcheck disable=SC2086
  korvmap paint "$work/road-$kind.map" "$work/$kind.map" --tile "$lake" --auto "${fit[@]}" \
    --seed 1 $pond >/dev/null
  echo "$kind: $(korvmap seams "$work/$kind.map" || true)"
  korvmap render "$work/$kind.map" --left 1 --top 2 --width 14 --height 7 \
    -o "$top/docs/fit-$kind.png" >/dev/null
done
