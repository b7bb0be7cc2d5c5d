#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the pictures of the user's guide (docs/images/*.png) with the built program, from the
# sample tables of examples/. The runs start from the built-in settings (an empty settings
# folder), so the pictures do not depend on what the desktop program has stored.
#   tools/guide-images.sh [PROGRAM]     PROGRAM defaults to build/src/shell/quorvel
set -euo pipefail
cd "$(dirname "$0")/.."
PROGRAM="${1:-build/src/shell/quorvel}"
[ -x "$PROGRAM" ] || { echo "no program at $PROGRAM (build it with tools/build.sh)" >&2; exit 1; }

CONFIG="$(mktemp -d)"
trap 'rm -rf "$CONFIG"' EXIT
run() {
  env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$CONFIG" "$PROGRAM" "$@" -Exit
}
mkdir -p docs/images

# The worked example: the table as read, then with its columns put on one scale.
run examples/usarrests_numeric.txt -Ward -TreeSeriationByTSP -AutomationRow -AutomationCol \
  -ExportScreenInPngFile docs/images/usarrests-raw.png
run examples/usarrests_numeric.txt -NormalizeColums -Ward -TreeSeriationByTSP -AutomationRow \
  -AutomationCol -ColWidth wide -ExportScreenInPngFile docs/images/usarrests.png

# A binary table reordered without dendrograms.
run examples/munsingen_binary.txt -Binary -Jaccard -SetSeriationByUDS -SeriationAutomationRow \
  -SeriationAutomationCol -RowHeight narrow -ColWidth narrow \
  -ExportScreenInPngFile docs/images/munsingen.png

# A contingency table: cells as tall and wide as the row and column totals.
run examples/haireye_contingency.txt -Contingency -ChiSquare -SetSeriationByUDS \
  -SeriationAutomationRow -SeriationAutomationCol -RowHeight huge -ColWidth huge \
  -ExportScreenInPngFile docs/images/haireye.png

ls -l docs/images
