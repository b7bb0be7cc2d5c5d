#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole batch run (Euclidean distances, Ward, minimum-path tree seriation of both sides,
# the reordered table and the report written) on large gaussian-mixture tables, with the time
# of every step (QUORVEL_TIMINGS=1), the wall time and the peak memory (/usr/bin/time -v).
#   bench/scale.sh [SIZE ...]
# A SIZE is ROWSxCOLUMNS, or ROWSxCOLUMNS/K for a run on K weighted prototypes of the rows
# (-Prototypes K, with the row-to-prototype list written). Default: 20000x100 50000x100
# 1000000x50/5000. Tables are generated once into $QUORVEL_SCALE_DIR (default
# /tmp/quorvel-scale) and kept for the next run. The machine has two cores shared with others:
# run the large sizes once, not in loops.
set -euo pipefail
cd "$(dirname "$0")/.."
PROGRAM=./build/src/shell/quorvel
GENERATOR=./build/bench/mixture_table
[ -x "$PROGRAM" ] && [ -x "$GENERATOR" ] || tools/build.sh build
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }
SIZES=("$@")
[ ${#SIZES[@]} -gt 0 ] || SIZES=(20000x100 50000x100 1000000x50/5000)
TABLES="${QUORVEL_SCALE_DIR:-/tmp/quorvel-scale}"
mkdir -p "$TABLES"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

for size in "${SIZES[@]}"; do
  shape="${size%/*}"
  prototypes=""
  [ "$shape" != "$size" ] && prototypes="${size#*/}"
  rows="${shape%x*}"
  columns="${shape#*x}"
  table="$TABLES/mixture_${rows}x${columns}.txt"
  if [ ! -s "$table" ]; then
    "$GENERATOR" "$rows" "$columns" > "$table.part" && mv "$table.part" "$table"
  fi
  extra=()
  if [ -n "$prototypes" ]; then
    extra=(-Prototypes "$prototypes" -ExportRowPrototypesInTextFile "$WORK/prototypes.txt")
  fi
  echo "== $size"
  set +e
  QUORVEL_TIMINGS=1 /usr/bin/time -v "$PROGRAM" "$table" -Euclidian -Ward -TreeSeriationByTSP \
    -AutomationRow -AutomationCol -ExportTableInTextFile "$WORK/table.txt" \
    -ExportReportInTextFile "$WORK/report.txt" "${extra[@]}" -Exit > /dev/null 2> "$WORK/err.txt"
  status=$?
  set -e
  grep '^quorvel-timing:' "$WORK/err.txt" | sed 's/^quorvel-timing: /  /' |
    grep -v ' 0\.00[0-9] s (cpu' || true
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$WORK/err.txt" |
    awk -F: '{ if (NF == 3) print $1 * 3600 + $2 * 60 + $3; else print $1 * 60 + $2 }')
  rss=$(awk -F': ' '/Maximum resident set size/ {printf "%.0f", $2 / 1024}' "$WORK/err.txt")
  user=$(awk -F': ' '/User time/ {print $2}' "$WORK/err.txt")
  sys=$(awk -F': ' '/System time/ {print $2}' "$WORK/err.txt")
  printf "  total: wall %s s, user %s s, sys %s s, peak RSS %s MB, exit %s\n" \
    "$wall" "$user" "$sys" "$rss" "$status"
  [ "$status" -eq 0 ] || grep -v '^quorvel-timing:' "$WORK/err.txt" | grep -v '^\s' | head -5
done
