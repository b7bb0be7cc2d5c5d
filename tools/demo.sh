#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program alone (not the tests and benchmarks), and runs the
# main job on a bundled sample table: Ward clustering of rows and columns, seriation under both
# dendrograms, and the picture written as PostScript (and PNG) into demo-output/.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh program
QUORVEL_TARGETS=quorvel tools/build.sh build
mkdir -p demo-output
./build/src/shell/quorvel examples/iris_numeric.txt -Ward -AutomationRow -AutomationCol \
  -ExportScreenInPostScriptFile demo-output/iris.ps -Exit
./build/src/shell/quorvel examples/iris_numeric.txt -Ward -AutomationRow -AutomationCol \
  -ExportScreenInPngFile demo-output/iris.png -Exit
echo "The picture of examples/iris_numeric.txt is in $(pwd)/demo-output/iris.ps and iris.png"
