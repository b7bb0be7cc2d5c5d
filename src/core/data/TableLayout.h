// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Where the cells of a table file go: the layout rules that the text and the delimited readers
// share. A record is a line of a text file (a record of a delimited file may span lines); its
// cells are counted by position, so an empty cell between two delimiters, or after a last
// delimiter, is a cell like any other.

struct CRecordShape {
  int cells = 0;             // cells of the record, empty ones included
  int lastFilled = 0;        // position (from 1) of its last non-empty cell; 0 when none is
  bool firstFilled = false;  // its first cell is not empty
  int line = 0;              // line of the file where the record starts, from 1
};

// How the records of one way of splitting them fit together.
struct CLayoutFit {
  enum EKind {
    kFits,          // every record has the width: no cell beyond it, none missing
    kNoCornerCell,  // the title record lacks the corner cell: every data record is one wider
    kShortRecords,  // no cell beyond the width, but some records end early
    kDisagrees,     // a record holds a cell beyond the width
  };
  EKind kind = kDisagrees;
  int width = 0;        // cells of a data record, the row-label cell included
  int firstShort = -1;  // index among the data records of the first short one
  int shortCount = 0;   // number of short data records
  int firstLong = -1;   // index among the data records of the first one too wide
  int headerCells = 0;  // the title record's width (its last non-empty cell)
};

// The fit of `records` under a title record (`header`, null without one). The width is the
// title record's up to its last non-empty cell, or without one the widest data record's. A
// title record one cell short of every data record is taken to lack its corner cell (the layout
// R writes) only when it has a row title column (`titleRow`) and its first cell is not empty.
CLayoutFit FitRecords(const CRecordShape* header, std::span<const CRecordShape> records,
                      bool titleRow);

inline bool Reads(const CLayoutFit& fit) {
  return fit.kind == CLayoutFit::kFits || fit.kind == CLayoutFit::kNoCornerCell;
}

// The title record read with the rules of the tag columns: the table title, the number of tag
// cells and the column labels.
struct CTableHeader {
  std::string title;
  int tags = 0;  // tag columns ("NAME" as second cell, "GWEIGHT", "GORDER"), with a title column
  int columns = 0;
  std::vector<std::string> columnLabels;
};

// `firstCells` are the cells of the file's first record (the corner cell first when a title
// record has one); `width` the width of the data records. Tag cells count in the first record
// when there is a title column; the title and the column labels come from it only when it is a
// title record (`titleCol`), else the labels are Col-1, Col-2, ...
CTableHeader ReadTableHeader(const std::vector<std::string>& firstCells, int width, bool titleRow,
                             bool titleCol);

bool IsTagRowLabel(std::string_view label);

// A label cell wholly enclosed in double quotes loses them (a doubled quote inside stands for
// one), as spreadsheet and statistics programs write labels.
std::string UnquotedLabel(std::string_view cell);

// The detail of a table that stops at the record `fit.firstLong`.
std::string DisagreementDetail(std::string_view fileName, const CLayoutFit& fit,
                               std::span<const CRecordShape> records, bool hasHeader);
// The notice of a table read with short records.
std::string ShortRecordsNotice(std::string_view fileName, const CLayoutFit& fit,
                               std::span<const CRecordShape> records);
