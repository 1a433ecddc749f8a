#!/usr/bin/env python3
"""Checks that no folder of src/ includes a header of a folder above it.

The layers, lowest first; a folder may include its own headers and those of
any lower layer, never those of its own layer's other folders or of a
higher layer. docs/architecture.md explains them.
"""
import pathlib
import re
import sys

LAYERS = [
    ["platform"],
    ["document"],
    ["autotile", "scenario"],
    ["analysis", "jumpmap", "imagery"],
    ["editor"],
    ["view"],
    ["editing"],
    ["cli", "gui"],
]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/[^"]+"', re.MULTILINE)


def main() -> int:
    src = pathlib.Path(__file__).resolve().parent.parent / "src"
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in RANK:
            faults.append(f"{path.relative_to(src.parent)}: folder src/{folder} has no layer")
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for match in INCLUDE.finditer(text):
            used = match.group(1)
            if used == folder or used not in RANK:
                continue
            if RANK[used] >= RANK[folder]:
                line = text.count("\n", 0, match.start()) + 1
                faults.append(f"{path.relative_to(src.parent)}:{line}: src/{folder} may not "
                              f"include src/{used} (layer {RANK[used]} is not below {RANK[folder]})")
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) against the layer directions", file=sys.stderr)
        return 1
    print("layers: every include points down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
