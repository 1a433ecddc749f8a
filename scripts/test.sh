#!/usr/bin/env bash
# Builds everything and runs every test.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/build.sh"
ctest --test-dir "$top/build" --output-on-failure -j"$(nproc)"
