#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package of a built folder (default build/) with CPack, checks that it holds
# nothing of the tests or benchmarks, installs it with apt-get, runs the installed program (its
# version, and a batch run on an installed sample table) and removes the package again.
# Needs root or sudo; meant for CI and disposable machines.
#   tools/check-package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="$(realpath "${1:-build}")"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

rm -f "$BUILD_DIR"/quorvel_*.deb
(cd "$BUILD_DIR" && cpack -G DEB > cpack.log) || { cat "$BUILD_DIR/cpack.log"; exit 1; }
VERSION="$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$BUILD_DIR/CPackConfig.cmake")"
DEB="$BUILD_DIR/quorvel_${VERSION}_$(dpkg --print-architecture).deb"
[ -f "$DEB" ] || { echo "FAILED: cpack wrote no $DEB"; ls "$BUILD_DIR"/*.deb; exit 1; }
dpkg-deb --field "$DEB" Package Version Section Depends
if dpkg-deb --contents "$DEB" | grep -E '_tests$|/bench_|quorvel_manpage|\.a$'; then
  echo "FAILED: the package holds test, benchmark or build files (above)"
  exit 1
fi

WORK="$(mktemp -d)"
cleanup() {
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq quorvel > /dev/null 2>&1 || true
  rm -rf "$WORK"
}
trap cleanup EXIT
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$DEB"
[ "$(command -v quorvel)" = /usr/bin/quorvel ] || { echo "FAILED: quorvel is not /usr/bin/quorvel"; exit 1; }
installed="$(/usr/bin/quorvel --version)"
[ "$installed" = "quorvel $VERSION" ] || { echo "FAILED: --version says '$installed'"; exit 1; }
env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$WORK" /usr/bin/quorvel \
  /usr/share/doc/quorvel/examples/iris_numeric.txt -Ward -AutomationRow \
  -ExportScreenInPngFile "$WORK/iris.png" -Exit
head -c 8 "$WORK/iris.png" | od -An -tx1 | grep -q '89 50 4e 47 0d 0a 1a 0a' ||
  { echo "FAILED: the installed program wrote no PNG picture"; exit 1; }
MANWIDTH=80 MANPAGER=cat man quorvel | grep -q '^OPTIONS$' ||
  { echo "FAILED: man quorvel does not show the installed manual page"; exit 1; }
DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq quorvel > /dev/null
[ ! -e /usr/bin/quorvel ] || { echo "FAILED: apt-get remove left /usr/bin/quorvel"; exit 1; }
echo "The package $(basename "$DEB") installs, runs from /usr/bin and removes cleanly."
