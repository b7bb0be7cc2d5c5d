#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The full batch run (Euclidean distances, Ward, minimum-path tree seriation, both sides
# automated, the reordered table and the report written) on generated gaussian-mixture tables,
# with wall time and peak memory from /usr/bin/time -v.
#   bench/batch_run.sh [ROWSxCOLUMNS ...]      (default: 1000x100 2000x200 5000x100)
set -euo pipefail
cd "$(dirname "$0")/.."
PROGRAM=./build/src/shell/quorvel
[ -x "$PROGRAM" ] || tools/build.sh build
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }
SIZES=("$@")
[ ${#SIZES[@]} -gt 0 ] || SIZES=(1000x100 2000x200 5000x100)
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

# Rows around 12 centres, columns of different spreads; the same table for the same size.
generate() {
  awk -v n="$1" -v p="$2" 'BEGIN {
    srand(n * 1000 + p);
    for (c = 0; c < 12; ++c) for (j = 0; j < p; ++j) centre[c, j] = 6 * (rand() - 0.5);
    printf "T"; for (j = 0; j < p; ++j) printf "\tc%d", j; printf "\n";
    for (i = 0; i < n; ++i) {
      c = int(rand() * 12); printf "r%d", i;
      for (j = 0; j < p; ++j) {
        u = rand(); v = rand(); if (u < 1e-12) u = 1e-12;
        printf "\t%.5f", centre[c, j] + sqrt(-2 * log(u)) * cos(6.283185307 * v);
      }
      printf "\n";
    }
  }'
}

printf "%-10s %10s %14s %s\n" "table" "wall (s)" "peak RSS (MB)" "exit"
for size in "${SIZES[@]}"; do
  rows="${size%x*}"
  columns="${size#*x}"
  table="$WORK/table_$size.txt"
  generate "$rows" "$columns" > "$table"
  # A table of 1,000 rows or more asks whether to go on; the batch run takes the default.
  set +e
  /usr/bin/time -v "$PROGRAM" "$table" -Euclidian -Ward -TreeSeriationByTSP -AutomationRow \
    -AutomationCol -ExportTableInTextFile "$WORK/out_$size.txt" \
    -ExportReportInTextFile "$WORK/report_$size.txt" -Exit > /dev/null 2> "$WORK/time_$size.txt"
  status=$?
  set -e
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$WORK/time_$size.txt" |
    awk -F: '{ if (NF == 3) print $1 * 3600 + $2 * 60 + $3; else print $1 * 60 + $2 }')
  rss=$(awk -F': ' '/Maximum resident set size/ {printf "%.1f", $2 / 1024}' "$WORK/time_$size.txt")
  printf "%-10s %10s %14s %s\n" "$size" "$wall" "$rss" "$status"
done
