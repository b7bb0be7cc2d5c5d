// SPDX-License-Identifier: GPL-3.0-or-later
// Maps the records of a delimited text onto a data table with the rules of text tables. Cost:
// one parse of the text (plus one of its first records per delimiter tried when the delimiter is
// detected), memory of the fields' texts.
#include "data/DelimitedTableReader.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/Failure.h"
#include "base/FileNames.h"
#include "base/Missing.h"
#include "base/Progress.h"
#include "base/Text.h"
#include "base/TextDecoding.h"
#include "data/CellFailure.h"
#include "data/Data.h"
#include "data/DelimitedRecords.h"
#include "data/TableLayout.h"
#include "data/TextScan.h"
#include "data/TextTableReader.h"

namespace {

// Records enough to tell a delimiter from another.
constexpr size_t kDetectionRecords = 50;

std::vector<CRecordShape> ShapesOf(const CDelimitedRecords& records) {
  std::vector<CRecordShape> shapes;
  shapes.reserve(records.Count());
  for (size_t r = 0; r < records.Count(); ++r)
    shapes.push_back(records.Shape(r));
  return shapes;
}

std::vector<std::string> CellsOf(const CDelimitedRecords& records, size_t record) {
  std::vector<std::string> cells;
  if (record >= records.Count()) return cells;
  for (int k = 0; k < records.Cells(record); ++k)
    cells.emplace_back(records.Cell(record, k));
  return cells;
}

struct CDelimitedFit {
  CLayoutFit fit;
  int columns = 0;
};

CDelimitedFit FitOf(const CDelimitedRecords& records, const std::vector<CRecordShape>& shapes,
                    const CReadOptions& options) {
  CDelimitedFit result;
  const bool header = options.titleCol && !shapes.empty();
  const CRecordShape* title = header ? &shapes[0] : nullptr;
  const auto dataShapes = std::span<const CRecordShape>(shapes).subspan(header ? 1 : 0);
  result.fit = FitRecords(title, dataShapes, options.titleRow);
  std::vector<std::string> first = CellsOf(records, 0);
  if (result.fit.kind == CLayoutFit::kNoCornerCell) first.insert(first.begin(), std::string());
  result.columns =
      ReadTableHeader(first, result.fit.width, options.titleRow, options.titleCol).columns;
  return result;
}

size_t CountOutsideQuotes(std::string_view line, char c) {
  size_t count = 0;
  bool quoted = false;
  for (const char k : line) {
    if (k == '"') quoted = !quoted;
    if (k == c && !quoted) ++count;
  }
  return count;
}

const char* DelimiterName(char delimiter) {
  switch (delimiter) {
    case ',':
      return "commas";
    case ';':
      return "semicolons";
    default:
      return "tabs";
  }
}

}  // namespace

double DelimitedValue(std::string_view cell, bool decimalComma) {
  std::string text;
  text.reserve(cell.size());
  for (const char c : cell) {
    if (c == ' ' || c == '\t') continue;
    text += decimalComma && c == ',' ? '.' : c;
  }
  if (text.empty()) return kMissing;
  double value = 0.0;
  return ParseDecimal(text, value) ? value : kMissing;
}

char DetectDelimiter(std::string_view text, const CReadOptions& options) {
  char best = 0;
  int bestColumns = 0;
  for (const char delimiter : {',', ';', '\t'}) {
    CDelimitedRecords records;
    if (!records.Parse(text, delimiter, kDetectionRecords, nullptr)) continue;
    if (records.Count() < 2) continue;
    const CDelimitedFit fit = FitOf(records, ShapesOf(records), options);
    if (!Reads(fit.fit) || fit.fit.width < 2 || fit.columns <= 0) continue;
    if (fit.columns > bestColumns) {
      best = delimiter;
      bestColumns = fit.columns;
    }
  }
  return best;
}

CReadOutcome ReadDelimitedTable(CData& data, char delimiter, const CReadOptions& options,
                                const CReadContext& context) {
  CReadOutcome outcome;
  std::string bytes;
  outcome.code = ReadWholeFile(data.fileName, bytes, &outcome.reason);
  if (outcome.code != kReadOk) return outcome;
  const CDecodedText decoded = DecodeText(std::move(bytes));
  if (delimiter == 0) delimiter = DetectDelimiter(decoded.text, options);
  if (delimiter == 0) {
    // No delimiter makes the first records agree: take the one the first line holds most of and
    // let the read say where the records disagree.
    const std::string_view first =
        std::string_view(decoded.text).substr(0, decoded.text.find('\n'));
    delimiter = ',';
    size_t most = CountOutsideQuotes(first, ',');
    for (const char other : {';', '\t'}) {
      const size_t count = CountOutsideQuotes(first, other);
      if (count > most) {
        most = count;
        delimiter = other;
      }
    }
  }
  CReadOutcome read = ReadDelimitedText(data, decoded.text, delimiter, options, context);
  if (const std::string notice = EncodingNotice(decoded.encoding, FileNameOf(data.fileName));
      !notice.empty()) {
    read.notices.insert(read.notices.begin(), notice);
  }
  return read;
}

CReadOutcome ReadDelimitedText(CData& data, std::string_view text, char delimiter,
                               const CReadOptions& options, const CReadContext& context) {
  CReadOutcome outcome;
  const auto finish = [&outcome](int code, std::string detail = {}) {
    outcome.code = code;
    if (!detail.empty()) outcome.reason = std::move(detail);
    return outcome;
  };
  const std::string fileName = FileNameOf(data.fileName);
  const bool titleRow = options.titleRow;
  const bool titleCol = options.titleCol;

  CDelimitedRecords records;
  std::string parseError;
  if (!records.Parse(text, delimiter, SIZE_MAX, &parseError)) {
    if (parseError.find("memory") != std::string::npos) ThrowAllocationFailure();
    return finish(kReadNoColumnOrRow, fileName + ": " + parseError);
  }
  if (records.Count() == 0) {
    return finish(kReadNoColumnOrRow, fileName +
                                          ": the first line is empty: the table must start "
                                          "on the first line.");
  }
  const std::vector<CRecordShape> shapes = ShapesOf(records);
  const CDelimitedFit fitted = FitOf(records, shapes, options);
  const CLayoutFit& fit = fitted.fit;
  const auto dataShapes = std::span<const CRecordShape>(shapes).subspan(titleCol ? 1 : 0);
  if (fit.kind == CLayoutFit::kDisagrees) {
    std::string detail = DisagreementDetail(fileName, fit, dataShapes, titleCol);
    // The advice of text tables does not fit here: say which delimiter was read.
    const size_t advice = detail.find(" A label holding");
    if (advice != std::string::npos) detail.resize(advice);
    detail += Format(" The cells were read as separated by %s; a cell holding one must be quoted.",
                     DelimiterName(delimiter));
    return finish(kReadNoColumnOrRow, detail);
  }
  if (fitted.columns <= 0) {
    return finish(kReadNoColumnOrRow,
                  fileName + Format(": the first line gives no column once the row labels are "
                                    "counted (cells read as separated by %s).",
                                    DelimiterName(delimiter)));
  }
  if (fit.kind == CLayoutFit::kShortRecords) {
    outcome.notices.push_back(ShortRecordsNotice(fileName, fit, dataShapes));
  }

  std::vector<std::string> first = CellsOf(records, 0);
  if (fit.kind == CLayoutFit::kNoCornerCell) first.insert(first.begin(), std::string());
  CTableHeader header = ReadTableHeader(first, fit.width, titleRow, titleCol);
  const int columns = header.columns;
  const int tags = header.tags;

  int rows = static_cast<int>(records.Count()) - (titleCol ? 1 : 0);
  if (rows <= 0) {
    return finish(kReadNoColumnOrRow,
                  fileName + ": the file holds the title line only, no data line.");
  }
  rows = ConfirmRowsToRead(rows, context, outcome);
  if (rows <= 1) return finish(kReadTooFewRows);

  AllocateFromHeader(data, rows, header, titleCol && titleRow);

  const bool decimalComma = delimiter != ',';
  std::unique_ptr<CProgress> progress =
      OpenItemProgress(context.progress, "Is reading the data->", rows);
  data.rowLabels.reserve(static_cast<size_t>(rows));
  size_t next = titleCol ? 1 : 0;
  for (int i = 0; i < rows && next < records.Count();) {
    const size_t record = next++;
    const int cellCount = records.Cells(record);
    int position = 0;
    std::string label;
    if (titleRow) {
      label = std::string(records.Cell(record, position++));
    } else {
      label = Format("Row %d", i);
    }
    if (i == 0 && IsTagRowLabel(label)) {
      --rows;
      data.rowLabels.clear();
      data.maxRowLabelLength = 0;
      continue;
    }
    data.maxRowLabelLength = std::max(data.maxRowLabelLength, CharacterCount(label));
    data.rowLabels.push_back(std::move(label));
    position += tags;
    double* cells = data.Row(i);
    int j = 0;
    try {
      for (; j < columns; ++j, ++position) {
        const double value = position < cellCount
                                 ? DelimitedValue(records.Cell(record, position), decimalComma)
                                 : kMissing;
        cells[j] = data.AcceptCell(value);
      }
    } catch (const CError& error) {
      ThrowCellFailure(error, data, fileName, records.Line(record), i, j);
    }
    if (progress) progress->Step();
    ++i;
  }
  progress.reset();
  rows = std::min(rows, static_cast<int>(data.rowLabels.size()));
  data.KeepRows(rows);
  if (rows < 2) return finish(kReadTooFewRows);
  return finish(kReadOk);
}
