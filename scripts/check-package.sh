#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh made: what it holds, the
# Qt runtime among its dependencies, and korvedit run from the unpacked
# package by a user who cannot write the installed demo folder. That user's
# first start must make a writable copy of the demo game without an error
# message, and a start on the installed folder itself must say once that
# it is read-only and write nothing there. Run as root (it adds the user).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
deb=$(ls "$top"/build/korv-map-editor_*.deb)
fail() { echo "check-package: $*" >&2; exit 1; }

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in ./usr/bin/korvedit ./usr/bin/korvmap \
    ./usr/share/applications/korvedit.desktop \
    ./usr/share/icons/hicolor/scalable/apps/korvedit.svg \
    ./usr/share/mime/packages/korv-map-editor.xml \
    ./usr/share/man/man1/korvedit.1.gz ./usr/share/man/man1/korvmap.1.gz \
    ./usr/share/bash-completion/completions/korvmap \
    ./usr/share/doc/korv-map-editor/copyright \
    ./usr/share/korv/demo-game/bmp/mapl.bmp ./usr/share/korv/demo-game/maps/sample.map; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done
if grep -q korv-demo-game <<<"$contents"; then fail "the package holds the developers' korv-demo-game"; fi
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for library in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
  grep -q "$library" <<<"$depends" || fail "Depends names no $library"
done

# The package unpacked as root: the user below can read it, not write it.
root=$(mktemp -d /tmp/korv-package.XXXXXX)
chmod 755 "$root"
dpkg-deb -x "$deb" "$root"
user=korvcheck
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
rm -rf "$home/.local/share/korv" "$home/.config/Korv"
installed="$root/usr/share/korv/demo-game"
before=$(cd "$installed" && find . -printf '%p %s\n' | sort)
# As in a desktop session: a display (Xvfb) and the user's own runtime folder.
runtime=$(mktemp -d /tmp/korv-runtime.XXXXXX)
chown "$user" "$runtime"
as_user() {
  (cd "$home" && runuser -u "$user" -- env HOME="$home" XDG_RUNTIME_DIR="$runtime" \
    xvfb-run -a -s "-screen 0 1280x800x24" "$@")
}

as_user "$root/usr/bin/korvedit" --screenshot "$home/first-start.png" 2>"$root/first.err" ||
  fail "korvedit failed at the first start: $(cat "$root/first.err")"
[ ! -s "$root/first.err" ] || fail "korvedit said at the first start: $(cat "$root/first.err")"
copy="$home/.local/share/korv/demo-game"
[ -f "$copy/bmp/mapl.bmp" ] || fail "no copy of the demo game in $copy"
runuser -u "$user" -- test -w "$copy/maps/sample.map" || fail "the user cannot write $copy"
[ -f "$copy/newmap.ndx" ] || fail "the editor wrote no hex-name files into the user's copy"
[ -s "$home/first-start.png" ] || fail "no screenshot of the first start"

as_user "$root/usr/bin/korvedit" --folder "$installed" --screenshot "$home/read-only.png" \
  2>"$root/read-only.err" || fail "korvedit failed on the read-only folder: $(cat "$root/read-only.err")"
[ "$(grep -c . "$root/read-only.err")" -eq 1 ] && grep -q "read-only" "$root/read-only.err" ||
  fail "not one read-only notice: $(cat "$root/read-only.err")"
after=$(cd "$installed" && find . -printf '%p %s\n' | sort)
[ "$before" = "$after" ] || fail "something was written into the installed demo folder"

(cd "$copy" && runuser -u "$user" -- "$root/usr/bin/korvmap" info maps/sample.map >/dev/null) ||
  fail "korvmap cannot read the user's sample map"
man -l "$root/usr/share/man/man1/korvmap.1.gz" 2>&1 >/dev/null | (! grep .) ||
  fail "man reports problems in korvmap.1"
bash -n "$root/usr/share/bash-completion/completions/korvmap" || fail "the completion is no bash"
rm -rf "$root" "$runtime"
echo "package checked: contents, dependencies, first start of a user, read-only folder"
