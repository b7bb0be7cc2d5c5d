#!/usr/bin/python3
"""Writes the table fixtures of the readers' tests with the tools analysts use.

Run from this folder: /usr/bin/python3 make_fixtures.py (Debian's Python) (needs python3-pandas, python3-openpyxl and
python3-odf, as Debian ships them). The files are committed, so the tests need none of these.
Every file holds the same table: four rows whose labels hold a blank, a non-ASCII letter, a
comma and a quote, three columns (one label with a blank), one missing value.
"""
import math
import zipfile

import pandas as pd

ROWS = ["S\u00e3o Paulo", "Patient 1", "Z\u00fcrich, CH", 'Say "hi"']
COLUMNS = ["Height cm", "Weight", "Score"]
VALUES = [[1.5, 2.0, -3.25], [4.0, 5.5, math.nan], [7.0, 8.0, 0.009], [10.0, 11.0, 12.0]]


def frame():
    return pd.DataFrame(VALUES, index=ROWS, columns=COLUMNS)


def pandas_files():
    df = frame()
    # The index column makes an empty corner cell; sep='\t' quotes only the label with a quote.
    df.to_csv("pandas-index.txt", sep="\t")
    df.to_csv("pandas.csv")
    df.to_csv("pandas-semicolon.csv", sep=";", decimal=",")
    df.to_csv("pandas-bom.csv", encoding="utf-8-sig")
    df.to_csv("pandas-utf16.txt", sep="\t", encoding="utf-16")
    df.to_csv("pandas-cp1252.txt", sep="\t", encoding="cp1252")
    df.to_csv("pandas.tsv", sep="\t")
    df.to_excel("pandas-openpyxl.xlsx", engine="openpyxl")
    df.to_excel("pandas-odf.ods", engine="odf")


def r_write_table():
    # What R's write.table(df, sep="\t") writes: quoted strings, NA for missing values, and a
    # header without a cell above the row names.
    def number(x):
        return "NA" if math.isnan(x) else repr(x).rstrip("0").rstrip(".") if "." in repr(x) else repr(x)

    def quoted(text):
        return '"' + text.replace('"', '""') + '"'

    lines = ["\t".join(quoted(c) for c in COLUMNS)]
    for label, row in zip(ROWS, VALUES):
        lines.append("\t".join([quoted(label)] + [number(x) for x in row]))
    with open("r-write-table.txt", "w", encoding="utf-8", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def handmade_xlsx():
    # Inline strings, a rich-text shared string, cached formula results (a number and a text),
    # a boolean, an error and a date serial: what Excel and LibreOffice write beyond openpyxl.
    sheet = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<dimension ref="A1:D5"/><sheetData>
<row r="1"><c r="B1" t="s"><v>0</v></c><c r="C1" t="inlineStr"><is><t>Weight</t></is></c><c r="D1" t="s"><v>1</v></c></row>
<row r="2"><c r="A2" t="inlineStr"><is><t>S\u00e3o Paulo</t></is></c><c r="B2"><v>1.5</v></c><c r="C2"><f>1+1</f><v>2</v></c><c r="D2"><v>-3.25</v></c></row>
<row r="3"><c r="A3" t="s"><v>2</v></c><c r="B3"><v>4</v></c><c r="C3"><v>5.5</v></c><c r="D3" t="e"><v>#N/A</v></c></row>
<row r="4"><c r="A4" t="str"><f>"Z\u00fcrich"&amp;", CH"</f><v>Z\u00fcrich, CH</v></c><c r="B4"><v>7</v></c><c r="C4" t="b"><v>1</v></c><c r="D4" t="str"><v>text</v></c></row>
<row r="5"><c r="A5" t="inlineStr"><is><r><t>Say </t></r><r><t>"hi"</t></r></is></c><c r="B5"><v>43831</v></c><c r="C5" s="1"/><c r="D5"><v>12</v></c></row>
</sheetData></worksheet>"""
    strings = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="3" uniqueCount="3">
<si><r><t>Height</t></r><r><rPr><b/></rPr><t xml:space="preserve"> cm</t></r></si><si><t>Score</t></si><si><t>Patient 1</t><rPh><t>pay</t></rPh></si></sst>"""
    workbook = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="Data" sheetId="1" r:id="rId1"/><sheet name="Other" sheetId="2" r:id="rId2"/></sheets></workbook>"""
    rels = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet2.xml"/>
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/sheet1.xml"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>
</Relationships>"""
    package = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>"""
    other = """<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData><row r="1"><c r="A1"><v>99</v></c></row></sheetData></worksheet>"""
    with zipfile.ZipFile("handmade.xlsx", "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("_rels/.rels", package)
        z.writestr("xl/workbook.xml", workbook)
        z.writestr("xl/_rels/workbook.xml.rels", rels)
        z.writestr("xl/sharedStrings.xml", strings)
        z.writestr("xl/worksheets/sheet1.xml", sheet)
        z.writestr("xl/worksheets/sheet2.xml", other)


def handmade_ods():
    # Repeated cells and rows, a date, a time, a boolean, a cached formula result, a string
    # with text:s, an annotation and the padding rows LibreOffice writes up to the sheet's end.
    t = "urn:oasis:names:tc:opendocument:xmlns:table:1.0"
    content = f"""<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="{t}" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2">
<office:body><office:spreadsheet><table:table table:name="Data">
<table:table-column table:number-columns-repeated="4"/>
<table:table-row><table:table-cell/><table:table-cell office:value-type="string"><text:p>Height<text:s/>cm</text:p></table:table-cell><table:table-cell office:value-type="string"><text:p>Weight</text:p></table:table-cell><table:table-cell office:value-type="string"><text:p>Score</text:p><office:annotation><text:p>a note</text:p></office:annotation></table:table-cell></table:table-row>
<table:table-row><table:table-cell office:value-type="string"><text:p>S\u00e3o Paulo</text:p></table:table-cell><table:table-cell office:value-type="float" office:value="1.5"/><table:table-cell table:formula="of:=1+1" office:value-type="float" office:value="2"><text:p>2</text:p></table:table-cell><table:table-cell office:value-type="percentage" office:value="-3.25"><text:p>-325%</text:p></table:table-cell></table:table-row>
<table:table-row><table:table-cell office:value-type="string"><text:p>Patient 1</text:p></table:table-cell><table:table-cell office:value-type="float" office:value="4"/><table:table-cell office:value-type="float" office:value="5.5"/><table:table-cell/></table:table-row>
<table:table-row><table:table-cell office:value-type="string" office:string-value="Z\u00fcrich, CH"><text:p>shown</text:p></table:table-cell><table:table-cell office:value-type="date" office:date-value="2020-01-01"/><table:table-cell office:value-type="time" office:time-value="PT12H00M00S"/><table:table-cell office:value-type="boolean" office:boolean-value="true"/></table:table-row>
<table:table-row><table:table-cell office:value-type="string"><text:p>Say "hi"</text:p></table:table-cell><table:table-cell office:value-type="float" office:value="10" table:number-columns-repeated="2"/><table:covered-table-cell office:value-type="float" office:value="12"/></table:table-row>
<table:table-row table:number-rows-repeated="1048570"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>
</table:table><table:table table:name="Other"><table:table-row><table:table-cell office:value-type="float" office:value="99"/></table:table-row></table:table>
</office:spreadsheet></office:body></office:document-content>"""
    with zipfile.ZipFile("handmade.ods", "w") as z:
        z.writestr(zipfile.ZipInfo("mimetype"), "application/vnd.oasis.opendocument.spreadsheet")
        z.writestr("content.xml", content, zipfile.ZIP_DEFLATED)


def empty_row():
    # One row without any value: the dissimilarities between rows cannot be formed.
    with open("empty-row.txt", "w", encoding="utf-8", newline="\n") as out:
        out.write("T\ta\tb\nr1\t1\t2\nhollow\t\t\nr3\t5\t6\n")


if __name__ == "__main__":
    pandas_files()
    r_write_table()
    handmade_xlsx()
    handmade_ods()
    empty_row()
