#!/usr/bin/env python3
"""A designer's session in korvedit on a virtual display, driven with xdotool:
start on a copy of the demo map, pick a tile in the tile picker, paint, paint
with Auto-Tile, give hexes an owner through the control window, save, quit,
start again on the saved map and save it once more. The same steps run
through korvmap on a second copy of the demo folder; the map, control file,
picture and learnt pattern libraries of the two folders must agree byte for
byte, and the second save must equal the first.

Usage: scripts/e2e-session.py [BUILD_BIN] [--keep DIR]
Needs Xvfb and xdotool; screenshots of each step are left in the work folder.
"""
import filecmp
import os
import pathlib
import queue
import shutil
import subprocess
import sys
import tempfile
import threading
import time

TILE = 20  # a lake tile of the demo sheet
# Hexes right of the tile picker, which stays over the map's top left.
PAINTED = [(23, 9), (24, 9), (25, 10)]
AUTO_PAINTED = [(27, 11), (28, 11), (29, 12)]
OWNER_ROW = 2  # "Borvenia", nation 2, in the list sorted by name
NATION = 2
CONTROLLED = [(31, 5), (32, 5)]


class Failure(Exception):
    pass


def run(*args, **kwargs):
    return subprocess.run([str(a) for a in args], check=True, **kwargs)


class Session:
    """One korvedit process, its printed positions and the pointer."""

    def __init__(self, korvedit, folder, map_path, env, shots):
        self.env = env
        self.shots = shots
        self.process = subprocess.Popen(
            [str(korvedit), "--folder", str(folder), "--seed", "1", "--print-positions",
             str(map_path)], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
            env=env)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()
        self.positions = {}
        self.wait_for("tile-picker")

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.rstrip("\n"))

    def wait_for(self, name, seconds=30):
        deadline = time.time() + seconds
        while name not in self.positions:
            try:
                line = self.lines.get(timeout=max(0.1, deadline - time.time()))
            except queue.Empty:
                raise Failure(f"korvedit did not report '{name}' within {seconds} s")
            words = line.split()
            if words and all(w.lstrip("-").isdigit() for w in words[1:]) and len(words) > 2:
                self.positions[words[0]] = [int(w) for w in words[1:]]
            else:
                print("korvedit:", line)
        return self.positions[name]

    def xdotool(self, *args):
        run("xdotool", *args, env=self.env)
        time.sleep(0.3)

    def raise_window(self, title):
        # Without a window manager a window shown later covers the earlier ones.
        self.xdotool("search", "--name", title, "windowraise")

    def click(self, x, y):
        self.xdotool("mousemove", x, y, "click", "1")

    def hex_point(self, x, y):
        """The screen point in the middle of hex (x, y) of the map view."""
        left, top = self.positions["map-view"]
        width, height, column_step, row_step = self.positions["hex"]
        view_left, view_top = self.positions["view"]
        px = x * column_step
        py = y * row_step + (row_step // 2 if x % 2 == 0 else 0)
        sx = left + px - view_left * column_step + width // 2
        sy = top + py - view_top * row_step + height // 2
        for window in ("tile-picker", "control"):
            if window in self.positions:
                wx, wy, ww, wh = self.positions[window]
                if wx <= sx < wx + ww and wy <= sy < wy + wh:
                    raise Failure(f"hex {x},{y} lies under the {window} window")
        return sx, sy

    def key_on_map(self, key):
        # Without a window manager nothing gives the main window the keyboard back.
        x, y = self.hex_point(*PAINTED[0])
        self.xdotool("mousemove", x, y - 2)
        self.xdotool("search", "--name", "^Main: editing", "windowfocus")
        self.xdotool("key", key)

    def shot(self, name):
        path = self.shots / f"{name}.xwd"
        run("xwd", "-root", "-silent", "-out", path, env=self.env)

    def quit(self):
        self.key_on_map("alt+f")
        self.xdotool("key", "x")
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            raise Failure("korvedit did not end after File > Exit")


def wait_for_save(path, since, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if path.exists() and path.stat().st_mtime_ns > since:
            time.sleep(0.5)  # the picture and control file follow the map
            return
        time.sleep(0.2)
    raise Failure(f"{path} was not saved within {seconds} s")


# Made by korvedit alone: the hex-name files of an opened map and the random
# tile lists it writes at every start.
KORVEDIT_ONLY = (".ndx", ".str", ".rnd")


def saved_files(folder):
    maps = folder / "maps"
    files = [maps / "e2e.map"]
    files += sorted(p for p in maps.iterdir() if p.stem.lower().startswith("e2e") and
                    p != files[0] and p.suffix.lower() not in KORVEDIT_ONLY)
    return files


def compare_folders(gui, cli):
    problems = []
    for path in saved_files(gui):
        other = cli / path.relative_to(gui)
        if not other.exists():
            problems.append(f"korvmap wrote no {other.name}")
        elif not filecmp.cmp(path, other, shallow=False):
            problems.append(f"{path.name} differs between korvedit and korvmap")
    libraries = filecmp.dircmp(gui / "mapedit", cli / "mapedit")
    stack = [libraries]
    while stack:
        d = stack.pop()
        _, mismatch, errors = filecmp.cmpfiles(d.left, d.right, d.common_files, shallow=False)
        problems += [f"mapedit file {name} differs" for name in mismatch + errors]
        problems += [f"mapedit file {name} only in one folder" for name in d.left_only + d.right_only
                     if not name.lower().endswith(KORVEDIT_ONLY)]
        stack += d.subdirs.values()
    return problems


def main():
    top = pathlib.Path(__file__).resolve().parent.parent
    args = sys.argv[1:]
    keep = None
    if "--keep" in args:
        keep = pathlib.Path(args[args.index("--keep") + 1])
        del args[args.index("--keep"):args.index("--keep") + 2]
    bin_dir = pathlib.Path(args[0]) if args else top / "build" / "bin"
    work = keep or pathlib.Path(tempfile.mkdtemp(prefix="korv-e2e-"))
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    gui, cli, shots = work / "gui", work / "cli", work / "shots"
    shots.mkdir()
    for folder in (gui, cli):
        run(bin_dir / "korv-demo-game", folder, stdout=subprocess.DEVNULL)
        shutil.copy(folder / "maps" / "sample.map", folder / "maps" / "e2e.map")

    # Xvfb picks a free display and writes its number once it is ready.
    ready, told = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(told), "-screen", "0", "1920x1080x24",
                             "-nolisten", "tcp"], pass_fds=(told,), stderr=subprocess.DEVNULL)
    os.close(told)
    with os.fdopen(ready) as number:
        display = ":" + number.readline().strip()
    if display == ":":
        raise Failure("Xvfb did not start")
    runtime = work / "runtime"
    runtime.mkdir(mode=0o700)
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
               XDG_CONFIG_HOME=str(work / "config"), XDG_RUNTIME_DIR=str(runtime))
    session = None
    try:
        map_path = gui / "maps" / "e2e.map"
        session = Session(bin_dir / "korvedit", gui, map_path, env, shots)
        session.shot("1-started")
        # The tile in the picker's sheet, 16 tiles a row.
        session.raise_window("^Map Tiles$")
        sx, sy = session.positions["tile-sheet"]
        width, height = session.positions["hex"][:2]
        session.click(sx + (TILE % 16) * width + width // 2, sy + (TILE // 16) * height + height // 2)
        for hex_ in PAINTED:
            session.click(*session.hex_point(*hex_))
        session.key_on_map("a")  # Auto-Tile on
        for hex_ in AUTO_PAINTED:
            session.click(*session.hex_point(*hex_))
        session.shot("2-painted")
        session.key_on_map("F3")
        lx, ly, row_height = session.wait_for("owner-list")
        session.raise_window("^Control")
        session.click(lx + 20, ly + OWNER_ROW * row_height + row_height // 2)
        for hex_ in CONTROLLED:
            session.click(*session.hex_point(*hex_))
        session.shot("3-controlled")
        before = map_path.stat().st_mtime_ns
        session.key_on_map("ctrl+s")
        wait_for_save(map_path, before)
        first_save = map_path.read_bytes()
        session.quit()

        # Reopened, the map saves the same bytes again.
        session = Session(bin_dir / "korvedit", gui, map_path, env, shots)
        session.shot("4-reopened")
        before = map_path.stat().st_mtime_ns
        session.key_on_map("ctrl+s")
        wait_for_save(map_path, before)
        session.quit()
        session = None
        problems = []
        if map_path.read_bytes() != first_save:
            problems.append("the reopened map saved other bytes than the first save")
    finally:
        if session and session.process.poll() is None:
            session.process.kill()
        xvfb.terminate()

    korvmap = bin_dir / "korvmap"
    maps = cli / "maps"
    hexes = lambda points: [f"{x},{y}" for x, y in points]
    run(korvmap, "--folder", cli, "paint", maps / "e2e.map", maps / "step1.map", "--tile", TILE,
        *hexes(PAINTED), stdout=subprocess.DEVNULL)
    # A new user's korvedit has Fit Neighbours on.
    run(korvmap, "--folder", cli, "paint", maps / "step1.map", maps / "step2.map", "--tile", TILE,
        "--auto", "--fit", *hexes(AUTO_PAINTED), stdout=subprocess.DEVNULL)
    run(korvmap, "--folder", cli, "control", maps / "step2.map", maps / "e2e.map", "--nation",
        NATION, *hexes(CONTROLLED), stdout=subprocess.DEVNULL)
    problems += compare_folders(gui, cli)
    original = (cli / "maps" / "sample.map").read_bytes()
    if (gui / "maps" / "e2e.map").read_bytes() == original:
        problems.append("the session left the map as it was")
    for problem in problems:
        print("e2e:", problem)
    if problems:
        print(f"e2e: failed; the folders and screenshots are in {work}")
        return 1
    print(f"e2e: korvedit and korvmap saved the same {len(saved_files(gui))} map files and "
          "pattern libraries; the reopened map saved the same bytes")
    if not keep:
        shutil.rmtree(work)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Failure as failure:
        print("e2e:", failure)
        sys.exit(1)
