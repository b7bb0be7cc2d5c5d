// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/TableLayout.h"

#include <algorithm>

#include "base/Text.h"

namespace {

bool FitsWidth(const CRecordShape& record, int width) {
  return record.lastFilled <= width && record.cells >= width;
}

bool IsTagColumnWord(std::string_view cell) {
  return EqualsIgnoringCase(cell, "GWEIGHT") || EqualsIgnoringCase(cell, "GORDER");
}

}  // namespace

CLayoutFit FitRecords(const CRecordShape* header, std::span<const CRecordShape> records,
                      bool titleRow) {
  CLayoutFit fit;
  if (header) {
    fit.width = fit.headerCells = header->lastFilled;
  } else {
    for (const CRecordShape& record : records)
      fit.width = std::max(fit.width, record.lastFilled);
  }
  for (size_t k = 0; k < records.size(); ++k) {
    const CRecordShape& record = records[k];
    if (record.lastFilled > fit.width) {
      if (fit.firstLong < 0) fit.firstLong = static_cast<int>(k);
    } else if (record.cells < fit.width) {
      if (fit.firstShort < 0) fit.firstShort = static_cast<int>(k);
      ++fit.shortCount;
    }
  }
  if (fit.firstLong < 0) {
    fit.kind = fit.shortCount == 0 ? CLayoutFit::kFits : CLayoutFit::kShortRecords;
    // A title record longer than every data record is no table of short records: its cells
    // were split where the data's were not.
    if (fit.kind == CLayoutFit::kShortRecords && header &&
        fit.shortCount == static_cast<int>(records.size())) {
      fit.kind = CLayoutFit::kDisagrees;
    }
    return fit;
  }
  if (header && titleRow && header->firstFilled && !records.empty() &&
      std::all_of(records.begin(), records.end(),
                  [&](const CRecordShape& record) { return FitsWidth(record, fit.width + 1); })) {
    fit.kind = CLayoutFit::kNoCornerCell;
    ++fit.width;
    fit.firstLong = -1;
    return fit;
  }
  fit.kind = CLayoutFit::kDisagrees;
  return fit;
}

CTableHeader ReadTableHeader(const std::vector<std::string>& firstCells, int width, bool titleRow,
                             bool titleCol) {
  CTableHeader header;
  if (titleRow) {
    for (size_t k = 0; k < firstCells.size() && static_cast<int>(k) < width; ++k) {
      const std::string& cell = firstCells[k];
      if ((k == 1 && EqualsIgnoringCase(cell, "NAME")) || IsTagColumnWord(cell)) ++header.tags;
    }
  }
  header.columns = width - header.tags - (titleRow ? 1 : 0);
  if (header.columns <= 0) return header;
  header.columnLabels.reserve(static_cast<size_t>(header.columns));
  if (!titleCol) {
    for (int j = 0; j < header.columns; ++j)
      header.columnLabels.push_back(Format("Col-%d", j + 1));
    return header;
  }
  size_t next = 0;
  if (titleRow) {
    if (!firstCells.empty()) header.title = firstCells[0];
    next = 1;
  }
  next += static_cast<size_t>(header.tags);
  for (int j = 0; j < header.columns; ++j, ++next) {
    header.columnLabels.push_back(next < firstCells.size() ? firstCells[next] : std::string());
  }
  return header;
}

bool IsTagRowLabel(std::string_view label) {
  return EqualsIgnoringCase(label, "EWEIGHT") || EqualsIgnoringCase(label, "EORDER");
}

std::string UnquotedLabel(std::string_view cell) {
  if (cell.size() < 2 || cell.front() != '"' || cell.back() != '"') return std::string(cell);
  const std::string_view inside = cell.substr(1, cell.size() - 2);
  std::string label;
  label.reserve(inside.size());
  for (size_t k = 0; k < inside.size(); ++k) {
    label += inside[k];
    if (inside[k] == '"' && k + 1 < inside.size() && inside[k + 1] == '"') ++k;
  }
  return label;
}

std::string DisagreementDetail(std::string_view fileName, const CLayoutFit& fit,
                               std::span<const CRecordShape> records, bool hasHeader) {
  const int bad = fit.firstLong >= 0 ? fit.firstLong : std::max(fit.firstShort, 0);
  if (records.empty()) return {};
  const CRecordShape& record = records[static_cast<size_t>(bad)];
  const int cells = fit.firstLong >= 0 ? record.lastFilled : record.cells;
  std::string detail =
      Format("%s, line %d: %d cells where ", std::string(fileName).c_str(), record.line, cells);
  detail += hasHeader ? Format("the title line has %d.", fit.headerCells)
                      : Format("the table has %d.", fit.width);
  detail +=
      " A label holding a blank, a semicolon or a colon splits into several cells: turn off "
      "\"Blank character\" in the options, put tabs between the cells, or save the table as "
      ".csv with quoted labels.";
  return detail;
}

std::string ShortRecordsNotice(std::string_view fileName, const CLayoutFit& fit,
                               std::span<const CRecordShape> records) {
  if (fit.firstShort < 0) return {};
  const CRecordShape& record = records[static_cast<size_t>(fit.firstShort)];
  std::string notice = Format("%s, line %d: %d cells where the table has %d",
                              std::string(fileName).c_str(), record.line, record.cells, fit.width);
  if (fit.shortCount > 1) notice += Format(" (%d lines are short)", fit.shortCount);
  notice += ". The cells missing at the end of a short line were read as missing values.";
  return notice;
}
