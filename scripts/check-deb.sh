#!/usr/bin/env bash
# Makes the Debian package, installs it on this machine as a user would (dpkg -i, then
# apt-get -f install for anything missing), checks what it put in place, and runs the
# installed program through the end-to-end user session under Xvfb.
# Usage: scripts/check-deb.sh [BUILD_DIR]   (a configured and built tree; default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

rm -f "$build"/orvelan_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/orvelan_*.deb)
echo "package: $deb"
echo "depends: $(dpkg-deb -f "$deb" Depends)"

"${sudo[@]}" dpkg -i "$deb" || true
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -f install -y -q
dpkg-query -W -f='${Status}\n' orvelan | grep -q 'install ok installed'

for f in /usr/bin/orvelan \
         /usr/share/applications/orvelan.desktop \
         /usr/share/icons/hicolor/scalable/apps/orvelan.svg \
         /usr/share/icons/hicolor/256x256/apps/orvelan.png \
         /usr/share/doc/orvelan/copyright; do
  [ -f "$f" ] || { echo "missing after install: $f" >&2; exit 1; }
done
desktop-file-validate /usr/share/applications/orvelan.desktop

bash tests/e2e/user_session.sh /usr/bin/orvelan "$build/tests/e2e/e2e_close_request"
echo "PASS: the installed package runs"
