#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the 256 px PNG icon from packaging/icons/quorvel.svg (after the SVG was changed; the
# PNG is committed so that builds do not need librsvg).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-packages.sh librsvg2-bin
rsvg-convert -w 256 -h 256 packaging/icons/quorvel.svg -o packaging/icons/quorvel.png
echo "Wrote packaging/icons/quorvel.png"
