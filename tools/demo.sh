#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on a bundled sample table.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh build
./build/src/shell/quorvel examples/iris_numeric.txt
