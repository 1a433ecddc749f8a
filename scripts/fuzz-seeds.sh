#!/usr/bin/env bash
# Seeds for fuzz_game_files from a demo game folder: each seed is the byte
# that chooses the reader followed by a file of the kind that reader takes.
# Usage: scripts/fuzz-seeds.sh GAME_FOLDER OUT_FOLDER
set -euo pipefail
game="$1"
out="$2"
mkdir -p "$out"
seed() {  # seed NUMBER FILE
  [ -f "$2" ] || return 0
  { printf "\\x$(printf %02x "$1")"; cat "$2"; } >"$out/seed-$1-$(basename "$2")"
}
seed 0 "$game/data/hex_info.txt"
seed 1 "$game/flags.xy"
seed 2 "$game/data/terrain.txt"
seed 3 "$game/data/hexdata.txt"
seed 4 "$game/mapedit/tiletype.dat"
seed 5 "$game/mapedit/roadinfo.dat"
for rnd in "$game"/mapedit/*.rnd; do seed 6 "$rnd"; done
seed 7 "$game/default/nations/nations.txt"
for library in $(ls "$game"/mapedit/roadpatterns/*.txt 2>/dev/null | head -3); do seed 8 "$library"; done
# A map's hex names: the index, then the text it points into.
for names in "$game"/maps/*.ndx; do
  [ -f "$names" ] && [ -f "${names%.ndx}.str" ] || continue
  { printf '\x09'; cat "$names" "${names%.ndx}.str"; } >"$out/seed-9-$(basename "$names")"
done
seed 10 "$game/copybuff.dat"
for map in "$game"/maps/*.map; do seed 11 "$map"; done
seed 12 "$game/flags/blank03.bmp"
seed 12 "$game/bmp/hexm.bmp"
