// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "data/TableLayout.h"

// The records of a delimited text (comma-, semicolon- or tab-separated values as spreadsheet and
// statistics programs write them): fields may be quoted, a doubled quote inside quotes stands for
// one, and delimiters and line breaks inside quotes belong to the field. Blanks around an
// unquoted field are dropped. The records end at the first empty line, as a table does.
class CDelimitedRecords {
 public:
  size_t Count() const { return recordEnds_.size(); }
  int Cells(size_t record) const {
    return static_cast<int>(recordEnds_[record] - FirstField(record));
  }
  std::string_view Cell(size_t record, int cell) const;
  // The line of the text where the record starts, from 1.
  int Line(size_t record) const { return lines_[record]; }
  CRecordShape Shape(size_t record) const;

  // Splits `text` at `delimiter`, at most `maxRecords` records. False (with the parser's reason)
  // when the parser gives up, which it does only for want of memory.
  bool Parse(std::string_view text, char delimiter, size_t maxRecords, std::string* error);

 private:
  friend struct CRecordSink;
  size_t FirstField(size_t record) const { return record == 0 ? 0 : recordEnds_[record - 1]; }

  std::string pool_;                // the fields' texts one after the other
  std::vector<size_t> fieldEnds_;   // end of each field in `pool_`
  std::vector<size_t> recordEnds_;  // end of each record in `fieldEnds_`
  std::vector<int> lines_;
};
