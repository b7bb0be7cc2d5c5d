// SPDX-License-Identifier: GPL-3.0-or-later
// Splits delimited text with libcsv (its lenient mode: a stray quote inside an unquoted field is
// kept as a character). Every line break outside a record is reported, so that the first empty
// line, which ends a table, can be told from the second half of a CR LF pair. Cost: one pass over
// the text; memory of the fields' texts plus two offsets per field.
#include "data/DelimitedRecords.h"

#include <csv.h>

#include <algorithm>

namespace {

int IsBlank(unsigned char c) {
  return c == ' ';
}

}  // namespace

// The parser's callbacks write here.
struct CRecordSink {
  CDelimitedRecords& records;
  size_t maxRecords;
  int line = 1;        // line where the text now is
  int recordLine = 1;  // line where the current record started
  size_t fields = 0;   // fields of the current record
  bool onlyEmptyUnquoted = true;
  bool afterCarriageReturn = false;
  bool ended = false;

  void Field(const void* text, size_t length) {
    if (ended) return;
    if (text != nullptr) {
      const char* chars = static_cast<const char*>(text);
      records.pool_.append(chars, length);
      line += static_cast<int>(std::count(chars, chars + length, '\n'));
      onlyEmptyUnquoted = false;
    }
    records.fieldEnds_.push_back(records.pool_.size());
    ++fields;
  }

  void RecordEnd(int terminator) {
    if (ended) return;
    const bool lineFeedOfPair = terminator == '\n' && afterCarriageReturn;
    afterCarriageReturn = terminator == '\r';
    if (fields == 0) {
      // A line break outside any record: the second half of CR LF, or an empty line.
      if (lineFeedOfPair) return;
      ended = true;
      return;
    }
    if (fields == 1 && onlyEmptyUnquoted) {
      // A line of blanks only is an empty line too.
      records.pool_.resize(records.fieldEnds_.size() > 1 ? records.fieldEnds_.end()[-2] : 0);
      records.fieldEnds_.pop_back();
      ended = true;
      return;
    }
    records.recordEnds_.push_back(records.fieldEnds_.size());
    records.lines_.push_back(recordLine);
    if (terminator == '\n' || terminator == '\r') ++line;
    recordLine = line;
    fields = 0;
    onlyEmptyUnquoted = true;
    if (records.recordEnds_.size() >= maxRecords) ended = true;
  }
};

namespace {

void OnField(void* text, size_t length, void* sink) {
  static_cast<CRecordSink*>(sink)->Field(text, length);
}

void OnRecord(int terminator, void* sink) {
  static_cast<CRecordSink*>(sink)->RecordEnd(terminator);
}

}  // namespace

std::string_view CDelimitedRecords::Cell(size_t record, int cell) const {
  const size_t field = FirstField(record) + static_cast<size_t>(cell);
  const size_t begin = field == 0 ? 0 : fieldEnds_[field - 1];
  return std::string_view(pool_).substr(begin, fieldEnds_[field] - begin);
}

CRecordShape CDelimitedRecords::Shape(size_t record) const {
  CRecordShape shape;
  shape.line = Line(record);
  shape.cells = Cells(record);
  for (int k = shape.cells; k > 0; --k) {
    if (!Cell(record, k - 1).empty()) {
      shape.lastFilled = k;
      break;
    }
  }
  shape.firstFilled = shape.cells > 0 && !Cell(record, 0).empty();
  return shape;
}

bool CDelimitedRecords::Parse(std::string_view text, char delimiter, size_t maxRecords,
                              std::string* error) {
  pool_.clear();
  fieldEnds_.clear();
  recordEnds_.clear();
  lines_.clear();
  if (maxRecords == 0) return true;
  pool_.reserve(std::min<size_t>(text.size(), 1 << 20));
  csv_parser parser;
  if (csv_init(&parser, CSV_REPALL_NL | CSV_EMPTY_IS_NULL) != 0) {
    if (error) *error = "the CSV parser could not start";
    return false;
  }
  csv_set_delim(&parser, static_cast<unsigned char>(delimiter));
  // Tabs are blanks to be trimmed only when they do not delimit.
  if (delimiter == '\t') csv_set_space_func(&parser, IsBlank);
  CRecordSink sink{*this, maxRecords};
  // In pieces, so that a table that ends early (an empty line, enough records) stops the parse.
  constexpr size_t kPiece = 1 << 16;
  bool ok = true;
  for (size_t position = 0; position < text.size() && !sink.ended; position += kPiece) {
    const size_t length = std::min(kPiece, text.size() - position);
    if (csv_parse(&parser, text.data() + position, length, OnField, OnRecord, &sink) != length) {
      if (error) *error = csv_strerror(csv_error(&parser));
      ok = false;
      break;
    }
  }
  if (ok) csv_fini(&parser, OnField, OnRecord, &sink);
  csv_free(&parser);
  // A field begun but not ended by a record (the parse stopped) is dropped.
  const size_t kept = recordEnds_.empty() ? 0 : recordEnds_.back();
  fieldEnds_.resize(kept);
  pool_.resize(kept == 0 ? 0 : fieldEnds_.back());
  return ok;
}
