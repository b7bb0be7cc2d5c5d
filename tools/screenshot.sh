#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the desktop program under a virtual X server on a sample table with the automatic
# treatment, waits for the windows to be painted and saves a PNG of the screen.
#   tools/screenshot.sh [TABLE] [OUTPUT.png] [KEYWORDS...]
# Defaults: examples/usarrests_numeric.txt, screenshot.png, -AutomationRow -AutomationCol.
# QUORVEL_SCREENSHOT_ACTIONS, when set, is run once the windows are shown and before the screen
# is saved, with xdotool on the virtual display: keys, clicks and drags, e.g.
#   QUORVEL_SCREENSHOT_ACTIONS="xdotool key shift+F4; sleep 2" tools/screenshot.sh
set -euo pipefail
cd "$(dirname "$0")/.."
TABLE="${1:-examples/usarrests_numeric.txt}"
OUTPUT="${2:-screenshot.png}"
shift 2 || shift $# || true
KEYWORDS=("$@")
if [ ${#KEYWORDS[@]} -eq 0 ]; then KEYWORDS=(-AutomationRow -AutomationCol); fi

tools/install-packages.sh xvfb xauth x11-apps netpbm xdotool
[ -x build/src/shell/quorvel ] || tools/build.sh build

# A settings folder of its own, so that the user's stored choices do not change the picture.
CONFIG="$(mktemp -d)"
trap 'rm -rf "$CONFIG"' EXIT
OUTPUT_PATH="$(realpath -m "$OUTPUT")"
export XDG_CONFIG_HOME="$CONFIG"
xvfb-run -a -s "-screen 0 1400x1000x24" bash -c '
  ./build/src/shell/quorvel "$0" "${@:2}" &
  program=$!
  sleep "${QUORVEL_SCREENSHOT_DELAY:-4}"
  if [ -n "${QUORVEL_SCREENSHOT_ACTIONS:-}" ]; then bash -c "$QUORVEL_SCREENSHOT_ACTIONS"; fi
  xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > "$1"
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
' "$TABLE" "$OUTPUT_PATH" "${KEYWORDS[@]}"
echo "Screenshot written to $OUTPUT_PATH"
