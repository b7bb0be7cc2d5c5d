// SPDX-License-Identifier: GPL-3.0-or-later
// Annotation files: reading them into a table of texts and matching their records to the items
// of a side. Matching costs one hash lookup per item; a column's kind is decided over all its
// cells (numbers only when every value reads as a decimal number).
#include "data/Annotations.h"

#include <algorithm>
#include <unordered_map>

#include "base/Text.h"
#include "base/TextDecoding.h"
#include "data/DelimitedRecords.h"
#include "data/TextScan.h"
#include "data/TextTableReader.h"

namespace {

size_t CountOutsideQuotes(std::string_view line, char wanted) {
  size_t count = 0;
  bool quoted = false;
  for (const char c : line) {
    if (c == '"') quoted = !quoted;
    if (!quoted && c == wanted) ++count;
  }
  return count;
}

// The tab when the first line has one, else whichever of comma and semicolon it has more of.
char AnnotationDelimiter(std::string_view text) {
  const size_t start = text.find_first_not_of("\r\n");
  if (start == std::string_view::npos) return '\t';
  std::string_view first = text.substr(start);
  first = first.substr(0, first.find('\n'));
  if (CountOutsideQuotes(first, '\t') > 0) return '\t';
  return CountOutsideQuotes(first, ';') > CountOutsideQuotes(first, ',') ? ';' : ',';
}

bool IsBlankLine(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

// Where the text goes on after the first empty line past `line` (which the records end at), or 0
// when nothing but blank lines follows.
int LineResumingAfter(std::string_view text, int line) {
  int number = 0;
  bool gap = false;
  size_t at = 0;
  while (at <= text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    ++number;
    if (number > line) {
      const bool blank = IsBlankLine(text.substr(at, end - at));
      if (blank) gap = true;
      if (!blank && gap) return number;
    }
    at = end + 1;
  }
  return 0;
}

std::string Trim(std::string_view text) {
  const size_t start = text.find_first_not_of(" \t\r");
  if (start == std::string_view::npos) return {};
  const size_t end = text.find_last_not_of(" \t\r");
  return std::string(text.substr(start, end - start + 1));
}

bool IsNoValue(const std::string& cell) {
  return cell.empty() || EqualsIgnoringCase(cell, "NA") || EqualsIgnoringCase(cell, "N/A") ||
         EqualsIgnoringCase(cell, "NaN");
}

// A decimal number, with a comma read as the decimal mark.
bool NumberOf(const std::string& cell, double& value) {
  std::string text = cell;
  std::replace(text.begin(), text.end(), ',', '.');
  return ParseDecimal(text, value);
}

std::string AtLine(const std::string& fileName, int line) {
  return fileName + ", line " + std::to_string(line) + ": ";
}

}  // namespace

std::string ParseAnnotationText(std::string_view text, const std::string& fileName,
                                CAnnotationTable& table) {
  table = CAnnotationTable{};
  table.fileName = fileName;
  // Blank lines before the header are skipped (the records would end at the first of them).
  int skipped = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (!IsBlankLine(line) || end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
    ++skipped;
  }
  const char delimiter = AnnotationDelimiter(text);
  CDelimitedRecords records;
  std::string error;
  if (!records.Parse(text, delimiter, SIZE_MAX, &error)) {
    return fileName + ": the file could not be split into lines and cells (" + error + ").";
  }
  if (records.Count() == 0) {
    return fileName +
           ": the file is empty; an annotation file begins with a header line (the "
           "label column's name, then one name per annotation).";
  }
  if (const int resumes = LineResumingAfter(text, records.Line(records.Count() - 1))) {
    return AtLine(fileName, resumes + skipped) +
           "the items go on after an empty line; remove the empty line.";
  }
  const int headerCells = records.Cells(0);
  // R writes a header without the label column's name: every line is then one cell longer.
  bool headerWithoutCorner = records.Count() > 1;
  for (size_t r = 1; r < records.Count(); ++r) {
    if (records.Cells(r) != headerCells + 1) headerWithoutCorner = false;
  }
  const int firstName = headerWithoutCorner ? 0 : 1;
  if (headerCells - firstName < 1) {
    return AtLine(fileName, records.Line(0) + skipped) +
           "the header names no annotation: it needs the label column's name and at least one "
           "more, separated by tabs, commas or semicolons.";
  }
  for (int c = firstName; c < headerCells; ++c) {
    std::string name = Trim(records.Cell(0, c));
    if (name.empty()) name = "Annotation " + std::to_string(c + 1 - firstName);
    table.names.push_back(std::move(name));
  }
  const int width = static_cast<int>(table.names.size()) + 1;
  for (size_t r = 1; r < records.Count(); ++r) {
    const int cells = records.Cells(r);
    const int line = records.Line(r) + skipped;
    if (cells > width) {
      return AtLine(fileName, line) + std::to_string(cells) + " cells where the header names " +
             std::to_string(width) + " (the label and " + std::to_string(width - 1) +
             " annotations).";
    }
    bool empty = true;
    for (int c = 0; c < cells; ++c) {
      if (!Trim(records.Cell(r, c)).empty()) empty = false;
    }
    if (empty) continue;
    table.labels.push_back(Trim(records.Cell(r, 0)));
    std::vector<std::string> row(table.names.size());
    for (int c = 1; c < cells; ++c)
      row[static_cast<size_t>(c - 1)] = Trim(records.Cell(r, c));
    table.cells.push_back(std::move(row));
    table.lines.push_back(line);
  }
  if (table.labels.empty()) {
    return fileName +
           ": no item follows the header line; each line after it gives an item's "
           "label and its annotations.";
  }
  return {};
}

std::string ReadAnnotationFile(const std::string& path, CAnnotationTable& table) {
  std::string bytes;
  std::string reason;
  if (ReadWholeFile(path, bytes, &reason) != 0) {
    return "The annotation file " + path + " could not be read: " + reason;
  }
  const CDecodedText decoded = DecodeText(std::move(bytes));
  return ParseAnnotationText(decoded.text, path, table);
}

CSideAnnotations MatchAnnotations(const CAnnotationTable& table,
                                  std::span<const std::string> itemLabels) {
  CSideAnnotations side;
  side.fileName = table.fileName;
  const size_t trackCount = std::min(table.names.size(), kMaximumAnnotationTracks);
  side.columnsLeftOut = table.names.size() - trackCount;

  // The first record of each label.
  std::unordered_map<std::string, size_t> recordOf;
  for (size_t r = 0; r < table.labels.size(); ++r) {
    if (!recordOf.emplace(table.labels[r], r).second) ++side.repeatedLabels;
  }
  std::vector<bool> used(table.labels.size(), false);
  std::vector<size_t> itemRecord(itemLabels.size(), SIZE_MAX);
  for (size_t i = 0; i < itemLabels.size(); ++i) {
    const auto found = recordOf.find(Trim(itemLabels[i]));
    if (found == recordOf.end()) continue;
    itemRecord[i] = found->second;
    used[found->second] = true;
    ++side.matchedItems;
  }
  for (size_t r = 0; r < table.labels.size(); ++r) {
    if (used[r] || recordOf.at(table.labels[r]) != r) continue;
    if (side.unmatchedLabels++ == 0) side.firstUnmatched = table.labels[r];
  }

  for (size_t t = 0; t < trackCount; ++t) {
    CAnnotationTrack track;
    track.name = table.names[t];
    bool numbers = false;
    bool allNumbers = true;
    for (const std::vector<std::string>& row : table.cells) {
      const std::string& cell = row[t];
      if (IsNoValue(cell)) continue;
      double value = 0.0;
      if (NumberOf(cell, value)) {
        numbers = true;
      } else {
        allNumbers = false;
      }
    }
    track.kind = numbers && allNumbers ? EAnnotationKind::kNumbers : EAnnotationKind::kCategories;
    track.categoryOf.assign(itemLabels.size(), kNoAnnotation);
    track.valueOf.assign(itemLabels.size(), 0.0);
    track.hasValue.assign(itemLabels.size(), false);
    // Categories are numbered in the file's order, so that the legend reads as the file does.
    std::unordered_map<std::string, int> categoryIndex;
    for (const std::vector<std::string>& row : table.cells) {
      const std::string& cell = row[t];
      if (IsNoValue(cell) || track.kind == EAnnotationKind::kNumbers) continue;
      if (categoryIndex.emplace(cell, static_cast<int>(track.categories.size())).second) {
        track.categories.push_back(cell);
      }
    }
    bool first = true;
    for (size_t i = 0; i < itemLabels.size(); ++i) {
      const size_t record = itemRecord[i];
      const std::string* cell = record == SIZE_MAX ? nullptr : &table.cells[record][t];
      if (cell == nullptr || IsNoValue(*cell)) {
        track.anyMissing = true;
        continue;
      }
      track.hasValue[i] = true;
      if (track.kind == EAnnotationKind::kCategories) {
        track.categoryOf[i] = categoryIndex.at(*cell);
        continue;
      }
      double value = 0.0;
      NumberOf(*cell, value);
      track.valueOf[i] = value;
      track.minimum = first ? value : std::min(track.minimum, value);
      track.maximum = first ? value : std::max(track.maximum, value);
      first = false;
    }
    side.tracks.push_back(std::move(track));
  }
  return side;
}

std::string AnnotationNotice(const CSideAnnotations& annotations, std::string_view items) {
  const std::string file = annotations.fileName;
  if (annotations.matchedItems == 0) {
    return file + ": no label of the file names one of the " + std::string(items) +
           ", so no annotation is shown. The first column must hold the labels exactly as the "
           "table has them.";
  }
  std::string notice;
  const auto add = [&notice](const std::string& line) {
    notice += (notice.empty() ? "" : "\n") + line;
  };
  if (annotations.unmatchedLabels > 0) {
    add(Format("%d label%s of the file name%s none of the %.*s (the first: \"%s\").",
               annotations.unmatchedLabels, annotations.unmatchedLabels == 1 ? "" : "s",
               annotations.unmatchedLabels == 1 ? "s" : "", static_cast<int>(items.size()),
               items.data(), annotations.firstUnmatched.c_str()));
  }
  if (annotations.repeatedLabels > 0) {
    add(Format("%d label%s appear%s again further down; the first line of each is used.",
               annotations.repeatedLabels, annotations.repeatedLabels == 1 ? "" : "s",
               annotations.repeatedLabels == 1 ? "s" : ""));
  }
  if (annotations.columnsLeftOut > 0) {
    add(Format("Only the first %zu annotation columns are shown; %zu more are left out.",
               kMaximumAnnotationTracks, annotations.columnsLeftOut));
  }
  return notice.empty() ? notice : file + ":\n" + notice;
}
