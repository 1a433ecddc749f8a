#!/usr/bin/env bash
# Builds the Debian package build/korv-map-editor_VERSION_ARCH.deb with
# CPack and runs Debian's own checks on it (lintian on the package,
# desktop-file-validate on the desktop entry); any error stops the script.
# Installs the packaging tools first (scripts/install-deps.sh packaging).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh" packaging
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" -j"$(nproc)" --target korvedit korvmap korv-demo-game manuals changelog
rm -f "$top"/build/korv-map-editor_*.deb
(cd "$top/build" && cpack -G DEB >/dev/null)
deb=$(ls "$top"/build/korv-map-editor_*.deb)
echo "package: $deb"

desktop-file-validate "$top/data/korvedit.desktop"
# lintian as a user, as it prefers; errors fail, warnings are shown.
lintian_user=()
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
  cp "$deb" /tmp/ && chmod a+r "/tmp/$(basename "$deb")"
  deb_for_lintian="/tmp/$(basename "$deb")"
  lintian_user=(runuser -u nobody --)
else
  deb_for_lintian="$deb"
fi
"${lintian_user[@]}" lintian --fail-on error --info "$deb_for_lintian"
echo "lintian: no errors"
