#!/usr/bin/env python3
"""Checks that pandas and R read a table written by -ExportTableInTsvFile back exactly.

    readback_tsv.py SOURCE TSV

SOURCE is the tab-delimited data file the program read (title cell, column labels, then a
label and the values on each line; empty cells missing). Python's float() gives the true value
of every cell. pandas reads TSV with read_csv(TSV, sep='\\t', index_col=0); R (when Rscript is
found) with read.delim(TSV, row.names=1, check.names=FALSE), its numbers passed back in hex so
that nothing is lost on the way. Every label, every missing cell and every value must agree
bit for bit (rows are matched by label: the file is in the display order).

One exception, of the readers and not of the file: their default number converters are not
correctly rounded, and a value that needs 16 or 17 significant digits may come back one unit
in the last place away (pandas 1.5 does so for about a quarter of such values, R rarely). Such
a value is listed as a note, and pandas must then read the file exactly with
float_precision='round_trip'. Exit status 0 when all agree, 1 with the differences on stderr,
2 when pandas is missing.
"""
import math
import os
import shutil
import subprocess
import sys
import tempfile


def read_source(path):
    with open(path, encoding="utf-8") as f:
        lines = [line.rstrip("\n").rstrip("\r") for line in f if line.strip("\r\n")]
    header = lines[0].split("\t")
    rows = {}
    for line in lines[1:]:
        cells = line.split("\t")
        rows[cells[0]] = [float(c) if c.strip() else math.nan for c in cells[1:]]
    return header[0], header[1:], rows


def same(a, b):
    return (math.isnan(a) and math.isnan(b)) or a == b


def one_ulp_of_long_value(want, have):
    digits = repr(want).lower().split("e")[0].replace("-", "").replace(".", "").strip("0")
    return len(digits) > 15 and math.isfinite(have) and abs(have - want) <= math.ulp(want)


def compare(reader, corner, columns, rows, got_columns, got_rows, errors, notes=None):
    # Columns, like rows, are matched by label: the file is in the display order.
    if sorted(got_columns) != sorted(columns) or len(set(got_columns)) != len(got_columns):
        errors.append(f"{reader}: columns {got_columns!r} instead of {columns!r}")
        return
    if sorted(got_rows) != sorted(rows):
        errors.append(f"{reader}: row labels {sorted(got_rows)!r} instead of {sorted(rows)!r}")
        return
    place = {column: k for k, column in enumerate(got_columns)}
    for label, values in rows.items():
        got = got_rows[label]
        for column, want in zip(columns, values):
            have = got[place[column]]
            if same(want, have):
                continue
            if notes is not None and one_ulp_of_long_value(want, have):
                notes.append(f"{reader}: {label!r}/{column!r} read as {have!r} for {want!r} "
                             "(the reader's converter, one unit in the last place)")
            else:
                errors.append(f"{reader}: {label!r}/{column!r} is {have!r}, not {want!r}")


def main():
    source, tsv = sys.argv[1], sys.argv[2]
    corner, columns, rows = read_source(source)
    errors = []
    notes = []
    try:
        import pandas
    except ImportError:
        print("pandas is not installed", file=sys.stderr)
        return 2
    for precision in (None, "round_trip"):
        frame = pandas.read_csv(tsv, sep="\t", index_col=0, float_precision=precision)
        if (frame.index.name or "") != corner:
            errors.append(f"pandas: corner {frame.index.name!r} instead of {corner!r}")
        got_rows = {str(label): [float(v) for v in frame.loc[label]] for label in frame.index}
        if len(got_rows) != len(frame.index):
            errors.append("pandas: repeated row labels")
        compare("pandas" if precision is None else "pandas round_trip", corner, columns, rows,
                [str(c) for c in frame.columns], got_rows, errors,
                notes if precision is None else None)

    rscript = shutil.which("Rscript")
    if rscript:
        here = os.path.dirname(os.path.abspath(__file__))
        with tempfile.NamedTemporaryFile("r", suffix=".txt", encoding="utf-8") as dump:
            subprocess.run([rscript, os.path.join(here, "readback_tsv.R"), tsv, dump.name],
                           check=True)
            lines = dump.read().split("\n")
        got_columns = lines[0].split("\t") if lines[0] else []
        got_rows = {}
        for line in lines[1:]:
            if not line:
                continue
            cells = line.split("\t")
            got_rows[cells[0]] = [math.nan if c == "NA" else float.fromhex(c) for c in cells[1:]]
        compare("R", corner, columns, rows, got_columns, got_rows, errors, notes)
    else:
        print("Rscript not found: R not checked", file=sys.stderr)
    for note in notes:
        print("note: " + note, file=sys.stderr)
    for error in errors[:20]:
        print(error, file=sys.stderr)
    if len(errors) > 20:
        print(f"... and {len(errors) - 20} more", file=sys.stderr)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
