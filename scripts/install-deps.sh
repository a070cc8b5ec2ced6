#!/usr/bin/env bash
# Installs what building, running and testing Orvelan needs on Debian 12, skipping packages
# that are already there. Runs apt-get as root, through sudo when not root.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-dejavu-core
  xvfb xauth xdotool x11-utils imagemagick libxcb1-dev procps
  clang-tidy dpkg-dev desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
