#!/bin/sh
# Remakes the expected files of the end-to-end tests and checks the program's outputs with the
# readers analysts use. Needs R with ape, and a Python with pandas and Bio.Phylo (the Debian
# packages r-base-core, r-cran-ape, python3-pandas and python3-biopython).
#
#   tests/e2e/expected/make_expected.sh [BUILD_FOLDER]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
quorvel=$root/${1:-build}/src/shell/quorvel
python=${PYTHON:-/usr/bin/python3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$work" "$quorvel" "$@"; }

# What R computes: memberships of cutree and merge heights of hclust(dist(x), "ward.D").
Rscript "$here/ward_cutree.R" "$root/examples" "$here"

# The table of awkward labels as the program writes it, once pandas and R read it back.
run "$here/tsv_labels.txt" -BlancIsNotSeparator -ExportTableInTsvFile "$work/labels.tsv" -Exit
"$python" "$here/readback_tsv.py" "$here/tsv_labels.txt" "$work/labels.tsv"
cp "$work/labels.tsv" "$here/tsv_labels.tsv"

# Exact trees and reordered tables of the sample tables, read back by ape, Bio.Phylo, pandas, R.
for case in usarrests_numeric.txt:usarrests:Row iris_numeric.txt:iris:Row \
            mtcars_numeric.txt:mtcars:Row mtcars_numeric.txt:mtcars:Column \
            airquality_missing_numeric.txt:airquality:Row; do
  table=${case%%:*}; rest=${case#*:}; name=${rest%%:*}; side=${rest#*:}
  if [ "$side" = Row ]; then auto=-AutomationRow; lower=rows; else auto=-AutomationCol; lower=columns; fi
  run "$root/examples/$table" -Ward "$auto" -ExactNewick -Export${side}TreeInNewickFile \
      "$work/tree.nwk" -ExportTableInTsvFile "$work/table.tsv" -Exit
  "$python" "$here/readback_newick.py" "$work/tree.nwk" "$here/${name}_ward_${lower}_heights.txt"
  "$python" "$here/readback_tsv.py" "$root/examples/$table" "$work/table.tsv"
done
echo "expected files remade and checked"
