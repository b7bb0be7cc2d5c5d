#!/usr/bin/python3
"""Writes the .xls fixtures of the workbook tests with xlwt (Debian's python3-xlwt).

Run through make_fixtures.sh, which also makes the LibreOffice fixtures. The output is
committed; the tests only read it.
"""
import os
import struct
import sys

import xlwt
from xlwt import Cell

OUT = sys.argv[1] if len(sys.argv) > 1 else "."


def path(name):
    return os.path.join(OUT, name)


def write_rows(sheet, rows, top=0, left=0):
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value is not None:
                sheet.write(top + r, left + c, value)


# xlwt ships the two RK forms that hold the upper half of a double (with and without the
# division by 100) but leaves them switched off; switched on here, in xlwt's own order, so that
# the fixtures carry every RK form.
def _encoded_with_float_rk(self):
    num = self.number
    if -0x20000000 <= num < 0x20000000 and int(num) == num:
        return 1, 2 | (int(num) << 2)
    temp = num * 100
    if -0x20000000 <= temp < 0x20000000:
        itemp = int(round(temp, 0))
        if itemp / 100.0 == num:
            return 1, 3 | (itemp << 2)
    w01, w23 = struct.unpack('<2i', struct.pack('<d', num))
    if not w01 and not (w23 & 3):
        return 1, w23
    w01, w23 = struct.unpack('<2i', struct.pack('<d', temp))
    if not w01 and not (w23 & 3):
        return 1, w23 | 1
    return 0, struct.pack('<5Hd', 0x0203, 14, self.rowx, self.colx, self.xf_idx, num)


def numbers():
    original = Cell.NumberCell.get_encoded_data
    Cell.NumberCell.get_encoded_data = _encoded_with_float_rk
    try:
        book = xlwt.Workbook()
        sheet = book.add_sheet("Numbers")
        write_rows(sheet, [
            ["Table", "int", "real", "mixed", 2.5, 7],
            ["a", 25, 0.25, 3.14159265358979, True, "text"],
            ["b", -7, 2.5, 0.0078125, False, None],
            ["c", 536870911, -1.75, 2.0 ** 40, None, 1],
            [1990, 536870912, 2.0 ** 40 / 100, xlwt.Formula("B2*2"), None, None],
            ["e", 0, None, -0.5, None, 2],
        ])
        sheet.row(3).set_cell_error(4, "#DIV/0!")
        sheet.row(4).set_cell_mulblanks(4, 5)
        sheet.row(5).set_cell_blank(2)
        book.save(path("numbers.xls"))
    finally:
        Cell.NumberCell.get_encoded_data = original


def strings():
    book = xlwt.Workbook()
    sheet = book.add_sheet("Strings")
    bold = xlwt.easyfont("bold true")
    write_rows(sheet, [
        ["Title", "Zürich", "Ελλάδα", "東京"],
        ["plain", 1, 2, 3],
        ["café", 4, 5, 6],
        ["Αθήνα", 7, 8, 9],
    ])
    sheet.write(4, 0, [("rich", bold), ("text", xlwt.easyfont("italic true"))])
    sheet.write(4, 1, 10)
    sheet.write(4, 2, 11)
    sheet.write(4, 3, 12)
    # Strings longer than one record: their characters go on in CONTINUE records.
    sheet.write(6, 5, "x" * 9000)
    sheet.write(7, 5, "ω" * 5000)
    bulk = book.add_sheet("Bulk")
    for i in range(1000):
        bulk.write(i, 0, "item%04d" % i if i % 3 else "élément%04d" % i)
        bulk.write(i, 1, "Ωμέγα%04d" % i if i % 7 == 0 else i)
    book.save(path("strings.xls"))


def layouts():
    book = xlwt.Workbook()
    write_rows(book.add_sheet("Moved"), [["T", "a"], ["r1", 1], ["r2", 2]], top=3, left=2)
    book.save(path("offset.xls"))

    book = xlwt.Workbook()
    write_rows(book.add_sheet("Below"), [["T", "a"], ["r1", 1], ["r2", 2]], top=1)
    book.save(path("below.xls"))

    book = xlwt.Workbook()
    write_rows(book.add_sheet("Untitled"), [[1, 2], [3, None], [5.5, 6]])
    book.save(path("untitled.xls"))

    book = xlwt.Workbook()
    write_rows(book.add_sheet("Tags"), [
        ["GID", "NAME", "GWEIGHT", "s1", "s2", "s3"],
        ["AID", None, None, "A1", "A2", "A3"],
        ["EWEIGHT", None, None, 1, 1, 1],
        ["g1", "gene one", 1, 0.5, 1.5, -2],
        ["g2", "gene two", 1, 2, 3, 4],
        ["g3", "gene three", 1, -1, 0, 1],
    ])
    book.save(path("tags.xls"))

    book = xlwt.Workbook()
    write_rows(book.add_sheet("First"), [["T", "x", "y"], ["p", 1, 2], ["q", 3, 4]])
    write_rows(book.add_sheet("Second"), [["U", "z"], ["s", 9], ["t", 8], ["u", 7]])
    book.save(path("two-sheets.xls"))

    book = xlwt.Workbook()
    write_rows(book.add_sheet("One"), [["T", "x", "y"], ["p", 1, 2]])
    book.save(path("one-row.xls"))

    book = xlwt.Workbook()
    write_rows(book.add_sheet("TagsOnly"), [["NAME", "GWEIGHT"], ["AID", 1], ["r", 2], ["s", 3]])
    book.save(path("tags-only.xls"))

    book = xlwt.Workbook()
    inf = float("inf")
    write_rows(book.add_sheet("NonFinite"), [
        ["T", "a", inf],
        ["r1", float("nan"), 1],
        ["r2", -inf, 2],
    ])
    book.save(path("non-finite.xls"))

    book = xlwt.Workbook()
    book.add_sheet("Empty")
    book.save(path("empty.xls"))

    book = xlwt.Workbook()
    sheet = book.add_sheet("Large")
    sheet.write(0, 0, "T")
    sheet.write(0, 1, "v")
    for i in range(1001):
        sheet.write(i + 1, 0, "r%d" % i)
        sheet.write(i + 1, 1, i)
    book.save(path("large.xls"))


def small_stream():
    # The bare workbook stream of a small table, for a container written by libgsf: below
    # 4096 bytes it goes to the short-stream container.
    book = xlwt.Workbook()
    write_rows(book.add_sheet("Small"), [["T", "a", "b"], ["r1", 1, 2.5], ["r2", 3, 4]])
    data = book.get_biff_data()
    assert len(data) < 4096, len(data)
    with open(path("Workbook"), "wb") as out:
        out.write(data)
    with open(path("Book"), "wb") as out:
        out.write(data)


numbers()
strings()
layouts()
small_stream()
