#!/usr/bin/env bash
# Makes the workbook fixtures with third-party writers: xlwt (python3-xlwt), libgsf's compound
# file writer (libgsf-bin) and LibreOffice Calc (libreoffice-calc-nogui). Needs those packages;
# the tests only read the committed output.
#   apt-get install -y --no-install-recommends python3-xlwt libgsf-bin libreoffice-calc-nogui
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 "$here/make_fixtures.py" "$work"
cp "$work"/*.xls "$here/"

# A workbook stream below 4096 bytes lies in the short-stream container.
mkdir "$work/small" "$work/book"
cp "$work/Workbook" "$work/small/Workbook"
(cd "$work/small" && gsf createole "$here/short-stream.xls" Workbook)
# The older name of the stream: no workbook for this reader.
cp "$work/Book" "$work/book/Book"
(cd "$work/book" && gsf createole "$here/book-stream.xls" Book)

# LibreOffice: the same table as .xls and as tab-delimited UTF-8 text, and a workbook with
# formulas and two sheets.
export HOME="$work/home"
for name in calc-table calc-formulas; do
  soffice --headless --convert-to xls --outdir "$work" "$here/$name.fods" >/dev/null
  cp "$work/$name.xls" "$here/"
done
soffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):9,,76,1' \
  --outdir "$work" "$here/calc-table.fods" >/dev/null
cp "$work/calc-table.csv" "$here/calc-table.txt"
