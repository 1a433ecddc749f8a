#!/usr/bin/env python3
"""Makes the pictures of the designer's guide (docs/guide/*.png) anew, on a
fresh demo game folder: korvedit on a virtual display (Xvfb), driven with
xdotool as in scripts/e2e-session.py, for the windows, and korvmap for the
rendered map section, the strategic picture and an imported set.

Usage: scripts/guide-pictures.py [BUILD_BIN]   (default build/bin)
Needs Xvfb and xdotool (scripts/install-deps.sh installs them).
"""
import importlib.util
import os
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

TOP = pathlib.Path(__file__).resolve().parent.parent
OUT = TOP / "docs" / "guide"

spec = importlib.util.spec_from_file_location("e2e", TOP / "scripts" / "e2e-session.py")
e2e = importlib.util.module_from_spec(spec)
spec.loader.exec_module(e2e)
run = e2e.run

LAKE = 20  # a lake tile of the demo sheet


def write_png(path, width, height, rows):
    """rows: one bytes object of RGB triples a row."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    raw = b"".join(b"\0" + row for row in rows)
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    path.write_bytes(png)


def xwd_to_png(source, target, crop=None, step=1):
    """A ZPixmap screen dump of 24 or 32 bits a pixel (xwd -root) as PNG, cut to crop (x, y, w, h),
    every step-th pixel of every step-th row (step 2: half the size)."""
    data = source.read_bytes()
    header = struct.unpack(">25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    byte_order, bits_per_pixel, bytes_per_line, ncolors = header[7], header[11], header[12], header[19]
    if bits_per_pixel not in (24, 32):
        raise e2e.Failure(f"{source}: {bits_per_pixel} bits a pixel")
    size = bits_per_pixel // 8
    pixels = data[header_size + ncolors * 12:]
    x0, y0, w, h = crop or (0, 0, width, height)
    rows = []
    out_w = (w + step - 1) // step
    for y in range(y0, y0 + h, step):
        line = pixels[y * bytes_per_line + x0 * size:y * bytes_per_line + (x0 + w) * size]
        # B G R (X) from the lowest byte, or (X) R G B
        red, green, blue = (2, 1, 0) if byte_order == 0 else (size - 3, size - 2, size - 1)
        rgb = bytearray(out_w * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = (line[red::size * step], line[green::size * step],
                                           line[blue::size * step])
        rows.append(bytes(rgb))
    write_png(target, out_w, len(rows), rows)


def bmp_to_png(source, target, scale=1):
    """A 24- or 32-bit Windows bitmap as PNG, each pixel scale x scale."""
    data = source.read_bytes()
    offset = struct.unpack("<I", data[10:14])[0]
    width, height = struct.unpack("<ii", data[18:26])
    bits = struct.unpack("<H", data[28:30])[0]
    if bits not in (24, 32):
        raise e2e.Failure(f"{source}: {bits} bits a pixel")
    step = bits // 8
    stride = (width * step + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        stored = abs(height) - 1 - y if height > 0 else y
        line = data[offset + stored * stride:offset + stored * stride + width * step]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::step], line[1::step], line[0::step]
        wide = bytes(b for x in range(width) for b in bytes(rgb[x * 3:x * 3 + 3]) * scale)
        rows.extend([wide] * scale)
    write_png(target, width * scale, abs(height) * scale, rows)


def window_box(env, title):
    """x, y, width, height of the window whose name matches title."""
    found = subprocess.run(["xdotool", "search", "--name", title], env=env, capture_output=True,
                           text=True, check=True).stdout.split()
    shown = subprocess.run(["xdotool", "getwindowgeometry", "--shell", found[-1]], env=env,
                           capture_output=True, text=True, check=True).stdout
    values = dict(line.split("=") for line in shown.split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def main():
    bin_dir = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else TOP / "build" / "bin"
    korvmap = bin_dir / "korvmap"
    work = pathlib.Path(tempfile.mkdtemp(prefix="korv-guide-"))
    game = work / "game"
    run(bin_dir / "korv-demo-game", game, stdout=subprocess.DEVNULL)
    OUT.mkdir(parents=True, exist_ok=True)
    shots = work / "shots"
    shots.mkdir()

    # korvmap: a section of the sample map, its strategic picture, an imported set.
    sample = game / "maps" / "sample.map"
    run(korvmap, "--folder", game, "render", sample, "--left", "1", "--top", "1", "--width", "14",
        "--height", "8", "-o", work / "render.bmp", stdout=subprocess.DEVNULL)
    bmp_to_png(work / "render.bmp", OUT / "korvmap-render.png")
    run(korvmap, "--folder", game, "jumpmap", sample, work / "jumpmap.bmp")
    bmp_to_png(work / "jumpmap.bmp", OUT / "strategic-picture.png", scale=4)
    imported = game / "maps" / "imported.map"
    run(korvmap, "--folder", game, "import-set", game / "brak_files" / "game001.set", imported,
        stdout=subprocess.DEVNULL)

    ready, told = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(told), "-screen", "0", "1600x1000x24",
                             "-nolisten", "tcp"], pass_fds=(told,), stderr=subprocess.DEVNULL)
    os.close(told)
    with os.fdopen(ready) as number:
        display = ":" + number.readline().strip()
    runtime = work / "runtime"
    runtime.mkdir(mode=0o700)
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
               XDG_CONFIG_HOME=str(work / "config"), XDG_DATA_HOME=str(work / "data"),
               XDG_RUNTIME_DIR=str(runtime))
    session = None
    try:
        def shot(name, crop=None, step=1):
            session.shot(name)
            xwd_to_png(shots / f"{name}.xwd", OUT / f"{name}.png", crop, step)

        def around(hexes, width=520, height=360):
            """A box of the screen centred on the hexes."""
            points = [session.hex_point(*hex_) for hex_ in hexes]
            x = sum(p[0] for p in points) // len(points) - width // 2
            y = sum(p[1] for p in points) // len(points) - height // 2
            return max(0, x), max(0, y), width, height

        session = e2e.Session(bin_dir / "korvedit", game, sample, env, shots)
        time.sleep(1)
        shot("editor", step=2)
        # Painting: a lake by hand, then a road with Auto-Tile on.
        session.raise_window("^Map Tiles$")
        sx, sy = session.positions["tile-sheet"]
        width, height = session.positions["hex"][:2]

        def pick(tile):
            session.raise_window("^Map Tiles$")
            session.click(sx + (tile % 16) * width + width // 2,
                          sy + (tile // 16) * height + height // 2)

        pick(LAKE)
        for hex_ in [(23, 9), (24, 9), (24, 10), (23, 10)]:
            session.click(*session.hex_point(*hex_))
        session.key_on_map("a")  # Auto-Tile on
        for hex_ in [(25, 10), (25, 11), (24, 11), (23, 11)]:
            session.click(*session.hex_point(*hex_))
        shot("painting", around([(23, 9), (25, 11)]))
        # Owners and objectives in the control window.
        session.key_on_map("F3")
        lx, ly, row_height = session.wait_for("owner-list")
        session.raise_window("^Control")
        session.click(lx + 20, ly + 2 * row_height + row_height // 2)
        for hex_ in [(31, 5), (32, 5), (31, 6)]:
            session.click(*session.hex_point(*hex_))
        shot("control", step=2)
        # The jump map, and the keys' help.
        session.key_on_map("F1")
        time.sleep(1)
        shot("jump-map", window_box(env, "^Jump Map"))
        session.key_on_map("slash")
        time.sleep(1)
        shot("help", window_box(env, "^Korv Map editor Help"))
        session.process.kill()
        session.process.wait()
        session = None
        # The imported set as korvedit shows it.
        session = e2e.Session(bin_dir / "korvedit", game, imported, env, shots)
        time.sleep(1)
        shot("imported-set", step=2)
        session.process.kill()
        session.process.wait()
        session = None
    finally:
        if session and session.process.poll() is None:
            session.process.kill()
        xvfb.terminate()
        shutil.rmtree(work, ignore_errors=True)
    print("pictures written to", OUT)


if __name__ == "__main__":
    try:
        main()
    except e2e.Failure as failure:
        print("guide-pictures:", failure, file=sys.stderr)
        sys.exit(1)
