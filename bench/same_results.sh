#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs two builds of the program on the same tables and settings and compares every file they
# write (reordered table, report with R and S, both Newick trees) byte for byte: a check that a
# change of speed or memory changed no result.
#   bench/same_results.sh BASELINE_BINARY [NEW_BINARY]   (NEW_BINARY: build/src/shell/quorvel)
set -euo pipefail
cd "$(dirname "$0")/.."
BASE="$1"
NEW="${2:-./build/src/shell/quorvel}"
GENERATOR=./build/bench/mixture_table
[ -x "$GENERATOR" ] || tools/build.sh build
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

# Generated tables: real values; integers (many ties); integers with missing cells. Tables of
# 1,000 rows or more skip R in a batch run, so the small one (900 rows) checks R as well.
"$GENERATOR" 2500 40 8 11 > "$WORK/real.txt"
awk -F'\t' -v OFS='\t' 'NR == 1 { print; next } { for (i = 2; i <= NF; ++i) $i = int($i + 10) % 5; print }' \
  "$WORK/real.txt" > "$WORK/ties.txt"
awk -F'\t' -v OFS='\t' 'NR == 1 { print; next } { for (i = 2; i <= NF; ++i) if ((NR * 7 + i) % 11 == 0) $i = ""; print }' \
  "$WORK/ties.txt" > "$WORK/missing.txt"
head -n 901 "$WORK/missing.txt" > "$WORK/small.txt"
# Enough rows for the clustering to share its first merges with a second thread.
"$GENERATOR" 6000 20 12 5 > "$WORK/large.txt"
awk -F'\t' -v OFS='\t' 'NR == 1 { print; next } { for (i = 2; i <= NF; ++i) $i = int($i + 10) % 4; print }' \
  "$WORK/large.txt" > "$WORK/largeties.txt"

runs=(
  "$WORK/real.txt|-Euclidian -Ward -TreeSeriationByTSP"
  "$WORK/real.txt|-Pearson -UPGMA -TreeSeriationByTSP"
  "$WORK/ties.txt|-Euclidian -Ward -TreeSeriationByTSP"
  "$WORK/ties.txt|-Pearson -Ward -TreeSeriationByTSP"
  "$WORK/ties.txt|-SqaredPearson -WPGMA -TreeSeriationByTSP"
  "$WORK/ties.txt|-Manhattan -CompletLinkage -TreeSeriationByTSP"
  "$WORK/ties.txt|-Chebyshev -SingleLinkage -TreeSeriationByUDS"
  "$WORK/missing.txt|-Euclidian -Ward -TreeSeriationByTSP"
  "$WORK/missing.txt|-Manhattan -UPGMA -TreeSeriationByTSP"
  "$WORK/large.txt|-Euclidian -Ward -TreeSeriationByTSP"
  "$WORK/largeties.txt|-Manhattan -UPGMA -TreeSeriationByTSP"
  "$WORK/largeties.txt|-Euclidian -CompletLinkage -TreeSeriationByTSP"
  "$WORK/small.txt|-Euclidian -Ward -TreeSeriationByTSP"
  "$WORK/small.txt|-Pearson -Ward -TreeSeriationByTSP"
  "$WORK/small.txt|-Chebyshev -UPGMA -TreeSeriationByTSP"
  "examples/iris_numeric.txt|-Euclidian -Ward -TreeSeriationByTSP"
  "examples/airquality_missing_numeric.txt|-Pearson -UPGMA -TreeSeriationByTSP"
  "examples/mtcars_nominal.txt|-Nominal -Hamming -Ward -TreeSeriationByTSP"
  "examples/munsingen_binary.txt|-Binary -Jaccard -Ward -TreeSeriationByTSP"
  "examples/zoo_numeric.txt|-Euclidian -CompletLinkage -TreeSeriationByTSP"
)
failed=0
for run in "${runs[@]}"; do
  table="${run%%|*}"
  read -r -a options <<< "${run#*|}"
  for which in base new; do
    binary="$BASE"
    [ "$which" = new ] && binary="$NEW"
    # The new build borrows the triangles whatever their size, so that small tables check that
    # path too (a baseline ignores the variable).
    out="$WORK/$which"
    rm -rf "$out" && mkdir -p "$out"
    QUORVEL_INSIDE_TRIANGLES_FROM=0 XDG_CONFIG_HOME="$WORK/config-$which" "$binary" "$table" "${options[@]}" -ShowObjectiveFunctions \
      -AutomationRow -AutomationCol -ExportTableInTextFile "$out/table.txt" \
      -ExportReportInTextFile "$out/report.txt" -ExportRowTreeInNewickFile "$out/rows.phy" \
      -ExportColumnTreeInNewickFile "$out/columns.phy" -Exit > /dev/null 2>&1 || true
  done
  if diff -rq "$WORK/base" "$WORK/new" > /dev/null && [ -s "$WORK/new/table.txt" ]; then
    echo "same      $(basename "$table") ${options[*]}"
  else
    echo "DIFFERENT $(basename "$table") ${options[*]}"
    failed=1
  fi
done
exit $failed
