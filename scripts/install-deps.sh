#!/usr/bin/env bash
# Installs the Debian packages the editor needs to build, test and run.
# Run as root (or with sudo available) on Debian 12. With "packaging" it
# installs what scripts/package.sh needs to make and check the Debian package.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache pkg-config python3
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-apps
)
if [ "${1:-}" = packaging ]; then
  packages+=(dpkg-dev fakeroot lintian desktop-file-utils shared-mime-info man-db bash-completion)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
