#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures (once) and builds Quorvel in build/ (or the folder given), two jobs at a time.
# Extra arguments after the folder go to CMake's configure step; given for a folder already
# configured, they update its settings. QUORVEL_TARGETS (names separated by blanks) builds only
# those targets, e.g. QUORVEL_TARGETS=quorvel for the program alone.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build}"
shift || true
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
elif [ $# -gt 0 ]; then
  cmake -S . -B "$BUILD_DIR" "$@"
fi
cmake --build "$BUILD_DIR" -j2 ${QUORVEL_TARGETS:+--target $QUORVEL_TARGETS}
