#!/usr/bin/env bash
# Builds everything, writes the demo game folder and opens its sample map in
# the editor. Extra arguments go to korvedit (for example --screenshot x.png).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/build.sh"
demo="$top/build/demo-game"
"$top/build/bin/korv-demo-game" "$demo"
exec "$top/build/bin/korvedit" --folder "$demo" "$demo/maps/sample.map" "$@"
