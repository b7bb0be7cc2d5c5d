// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a text table: lines up to the first empty one, cells split at the semicolon, the colon,
// the tab and (when asked) the blank. Cells are counted by position, so an empty first cell of the
// title line is the corner cell. Before anything is stored the lines are checked against each
// other: a table whose lines agree reads as it always did; one whose lines agree only without the
// blank as a delimiter is read so, with a notice; a title line one cell short of every data line
// lacks its corner cell; short lines are padded with missing values, with a notice; any other
// disagreement stops the read with the line and both counts. Cost: two or three passes over the
// text (four when the blank is dropped), memory of the text and one view per line.
#include "data/TextTableReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "base/DescriptorRead.h"
#include "base/Failure.h"
#include "base/FileNames.h"
#include "base/Progress.h"
#include "base/Text.h"
#include "base/TextDecoding.h"
#include "data/CellFailure.h"
#include "data/Data.h"
#include "data/DelimitedTableReader.h"
#include "data/TableFileReader.h"
#include "data/TableLayout.h"
#include "data/TextScan.h"

namespace {

// The lines of a text up to its first empty line: a line ends at a line feed, and a carriage
// return just before it is dropped.
std::vector<std::string_view> TableLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t position = 0;
  while (position < text.size()) {
    const size_t end = text.find('\n', position);
    const size_t stop = end == std::string_view::npos ? text.size() : end;
    std::string_view line = text.substr(position, stop - position);
    position = end == std::string_view::npos ? text.size() : end + 1;
    if (!line.empty() && line.back() == '\r' && end != std::string_view::npos) {
      line.remove_suffix(1);
    }
    if (line.empty()) break;
    lines.push_back(line);
  }
  return lines;
}

void SkipBlanks(std::string_view& line) {
  size_t i = 0;
  while (i < line.size() && line[i] == ' ')
    ++i;
  line.remove_prefix(i);
}

// Takes the next cell by position: the cell, then the separators after it.
std::string_view NextCell(std::string_view& line, bool blank) {
  const std::string_view cell = TakeCell(line, blank);
  SkipSeparators(line);
  return cell;
}

// Walks the cells of a line by position, calling `visit(cell)` for each; a delimiter other than
// blanks at the very end leaves one more, empty, cell.
template <typename Visit>
void WalkCells(std::string_view line, bool blank, Visit&& visit) {
  SkipBlanks(line);
  for (;;) {
    const std::string_view cell = TakeCell(line, blank);
    visit(cell);
    const std::string_view before = line;
    SkipSeparators(line);
    if (!line.empty()) continue;
    if (before.find_first_of(";:\t") != std::string_view::npos) visit(std::string_view());
    return;
  }
}

CRecordShape ShapeOf(std::string_view line, bool blank, int lineNumber) {
  CRecordShape shape;
  shape.line = lineNumber;
  WalkCells(line, blank, [&](std::string_view cell) {
    ++shape.cells;
    if (cell.empty()) return;
    shape.lastFilled = shape.cells;
    if (shape.cells == 1) shape.firstFilled = true;
  });
  return shape;
}

std::vector<std::string> LabelCells(std::string_view line, bool blank) {
  std::vector<std::string> cells;
  WalkCells(line, blank, [&](std::string_view cell) { cells.push_back(UnquotedLabel(cell)); });
  return cells;
}

// The lines split one way, and how they fit together.
struct CSplit {
  bool blank = true;
  std::vector<CRecordShape> shapes;  // the title line first when there is one
  CLayoutFit fit;
  std::span<const CRecordShape> DataShapes(bool titleCol) const {
    return std::span<const CRecordShape>(shapes).subspan(titleCol && !shapes.empty() ? 1 : 0);
  }
};

CSplit Analyse(const std::vector<std::string_view>& lines, bool blank,
               const CReadOptions& options) {
  CSplit split;
  split.blank = blank;
  split.shapes.reserve(lines.size());
  for (size_t k = 0; k < lines.size(); ++k) {
    split.shapes.push_back(ShapeOf(lines[k], blank, static_cast<int>(k) + 1));
  }
  const CRecordShape* header =
      options.titleCol && !split.shapes.empty() ? &split.shapes[0] : nullptr;
  split.fit = FitRecords(header, split.DataShapes(options.titleCol), options.titleRow);
  return split;
}

// The columns a split gives once titles and tags are counted out.
int ColumnsOf(const CSplit& split, const std::vector<std::string_view>& lines,
              const CReadOptions& options) {
  if (lines.empty()) return 0;
  std::vector<std::string> first = LabelCells(lines[0], split.blank);
  if (split.fit.kind == CLayoutFit::kNoCornerCell) first.insert(first.begin(), std::string());
  return ReadTableHeader(first, split.fit.width, options.titleRow, options.titleCol).columns;
}

std::string BlankNotice(std::string_view fileName, const CSplit& withBlank, bool titleCol) {
  const CLayoutFit& fit = withBlank.fit;
  const auto records = withBlank.DataShapes(titleCol);
  const int bad = fit.firstLong >= 0 ? fit.firstLong : fit.firstShort;
  std::string notice(fileName);
  notice += ": the blank is not a delimiter in this file";
  if (bad >= 0 && static_cast<size_t>(bad) < records.size()) {
    const CRecordShape& record = records[static_cast<size_t>(bad)];
    notice += Format(" (with it, line %d would hold %d cells where %s %d)", record.line,
                     fit.firstLong >= 0 ? record.lastFilled : record.cells,
                     titleCol ? "the title line has" : "the table has", fit.width);
  }
  notice +=
      ": it was read with the tab, the semicolon and the colon as delimiters, so labels keep "
      "their blanks.";
  return notice;
}

// What a file that is no text at all is, with the formats the program reads; empty for text.
std::string ForeignContentDetail(std::string_view bytes, const std::string& fileName) {
  std::string what;
  if (bytes.starts_with("PK\x03\x04")) {
    what =
        " is a zip archive, not a text table (a workbook saved under another name? Name an "
        "Excel workbook .xlsx, an OpenDocument spreadsheet .ods).";
  } else if (bytes.starts_with("\xD0\xCF\x11\xE0")) {
    what = " is an Excel 97-2003 workbook, not a text table: name it .xls.";
  } else if (!bytes.starts_with("\xFF\xFE") && !bytes.starts_with("\xFE\xFF") &&
             bytes.substr(0, 4096).find('\0') != std::string_view::npos) {
    what = " is not text.";
  } else {
    return {};
  }
  return fileName + what + " Quorvel reads " + SupportedFormatsText() + ".";
}

}  // namespace

CReadOutcome ReadTextTable(CData& data, const CReadOptions& options, const CReadContext& context) {
  CReadOutcome outcome;
  std::string bytes;
  outcome.code = ReadWholeFile(data.fileName, bytes, &outcome.reason);
  if (outcome.code != kReadOk) return outcome;
  if (std::string foreign = ForeignContentDetail(bytes, FileNameOf(data.fileName));
      !foreign.empty()) {
    outcome.code = kReadNoColumnOrRow;
    outcome.reason = std::move(foreign);
    return outcome;
  }
  CDecodedText decoded = DecodeText(std::move(bytes));
  CReadOutcome read = ReadTextTableText(data, decoded.text, options, context);
  if (const std::string notice = EncodingNotice(decoded.encoding, FileNameOf(data.fileName));
      !notice.empty()) {
    read.notices.insert(read.notices.begin(), notice);
  }
  return read;
}

CReadOutcome ReadTextTableText(CData& data, std::string_view text, const CReadOptions& options,
                               const CReadContext& context) {
  CReadOutcome outcome;
  const auto finish = [&outcome](int code, std::string detail = {}) {
    outcome.code = code;
    if (!detail.empty()) outcome.reason = std::move(detail);
    return outcome;
  };
  const std::string fileName = FileNameOf(data.fileName);
  const bool titleRow = options.titleRow;
  const bool titleCol = options.titleCol;

  const std::vector<std::string_view> lines = TableLines(text);
  if (lines.empty()) {
    return finish(kReadNoColumnOrRow, fileName +
                                          ": the first line is empty: the table must start "
                                          "on the first line.");
  }

  // Which split to read with: the one asked for when its lines agree, unless the blank is
  // plainly no delimiter: without it the lines agree too (with or without corner cell) while with
  // it they do not, or they agree in fewer cells (every line holds tabs, ';' or ':', and labels
  // with blanks on every line, as "Sao Paulo" and "Height cm"). Else quoted comma-separated
  // values, else short lines padded, else a stop at the first line that disagrees.
  CSplit chosen = Analyse(lines, options.blankIsDelimiter, options);
  const CSplit asked = chosen;
  bool usable = Reads(chosen.fit) && ColumnsOf(chosen, lines, options) > 0;
  if (options.blankIsDelimiter) {
    CSplit withoutBlank = Analyse(lines, false, options);
    const bool withoutUsable =
        Reads(withoutBlank.fit) && ColumnsOf(withoutBlank, lines, options) > 0;
    const bool askedFits = usable && chosen.fit.kind == CLayoutFit::kFits;
    const bool blanksInsideCells = askedFits && withoutUsable &&
                                   withoutBlank.fit.kind == CLayoutFit::kFits &&
                                   withoutBlank.fit.width < chosen.fit.width;
    if (withoutUsable && (!askedFits || blanksInsideCells)) {
      outcome.notices.push_back(BlankNotice(fileName, asked, titleCol));
      chosen = std::move(withoutBlank);
      usable = true;
    }
  }
  if (!usable) {
    // A table of another program's making: values quoted and separated by commas.
    if (const char delimiter = DetectDelimiter(text, options); delimiter != 0) {
      CReadOutcome delimited = ReadDelimitedText(data, text, delimiter, options, context);
      delimited.notices.insert(
          delimited.notices.begin(),
          fileName + Format(": read as %s-separated values (quoted cells, as a .csv file).",
                            delimiter == ','   ? "comma"
                            : delimiter == ';' ? "semicolon"
                                               : "tab"));
      return delimited;
    }
  }
  if (!usable && chosen.fit.kind == CLayoutFit::kShortRecords &&
      ColumnsOf(chosen, lines, options) > 0) {
    usable = true;
    outcome.notices.push_back(
        ShortRecordsNotice(fileName, chosen.fit, chosen.DataShapes(titleCol)));
  }
  if (!usable) {
    if (asked.fit.kind == CLayoutFit::kDisagrees) {
      return finish(kReadNoColumnOrRow,
                    DisagreementDetail(fileName, asked.fit, asked.DataShapes(titleCol), titleCol));
    }
    return finish(kReadNoColumnOrRow,
                  fileName +
                      ": the first line gives no column once the row labels are counted. Check "
                      "the delimiters (tab, semicolon, colon, blank) and the title options.");
  }
  const bool blank = chosen.blank;

  std::vector<std::string> first = LabelCells(lines[0], blank);
  if (chosen.fit.kind == CLayoutFit::kNoCornerCell) first.insert(first.begin(), std::string());
  CTableHeader header = ReadTableHeader(first, chosen.fit.width, titleRow, titleCol);
  const int columns = header.columns;
  const int tags = header.tags;

  int rows = static_cast<int>(lines.size()) - (titleCol ? 1 : 0);
  if (rows <= 0) {
    return finish(kReadNoColumnOrRow,
                  fileName + ": the file holds the title line only, no data line.");
  }
  rows = ConfirmRowsToRead(rows, context, outcome);
  if (rows <= 1) return finish(kReadTooFewRows);

  AllocateFromHeader(data, rows, header, titleCol && titleRow);

  std::unique_ptr<CProgress> progress =
      OpenItemProgress(context.progress, "Is reading the data->", rows);
  data.rowLabels.reserve(static_cast<size_t>(rows));
  size_t next = titleCol ? 1 : 0;
  for (int i = 0; i < rows && next < lines.size();) {
    const int lineNumber = static_cast<int>(next) + 1;
    std::string_view line = lines[next++];
    std::string label;
    if (titleRow) {
      SkipBlanks(line);
      label = UnquotedLabel(NextCell(line, blank));
    } else {
      label = Format("Row %d", i);
    }
    if (i == 0 && IsTagRowLabel(label)) {
      // A tag record right after the title line: dropped, and the next line is row 0 again.
      --rows;
      data.rowLabels.clear();
      data.maxRowLabelLength = 0;
      continue;
    }
    data.maxRowLabelLength = std::max(data.maxRowLabelLength, CharacterCount(label));
    data.rowLabels.push_back(std::move(label));
    for (int t = 0; t < tags; ++t)
      NextCell(line, blank);
    double* cells = data.Row(i);
    int j = 0;
    try {
      for (; j < columns; ++j)
        cells[j] = data.ParseCell(line, blank);
    } catch (const CError& error) {
      ThrowCellFailure(error, data, fileName, lineNumber, i, j);
    }
    if (progress) progress->Step();
    ++i;
  }
  progress.reset();
  rows = std::min(rows, static_cast<int>(data.rowLabels.size()));
  data.KeepRows(rows);
  // Tag records may leave fewer rows than were counted: the table still needs two.
  if (rows < 2) return finish(kReadTooFewRows);
  return finish(kReadOk);
}

int ReadWholeFile(const std::string& path, std::string& content, std::string* reason) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) return kReadFileMissing;
    if (error == EBUSY || error == ETXTBSY || error == EAGAIN) return kReadFileLocked;
    if (reason) *reason = std::strerror(error);
    return kReadFileUnreadable;
  }
  const int error = ReadWholeDescriptor(fd, content);
  if (error != 0) {
    if (reason) *reason = std::strerror(error);
    return kReadFileUnreadable;
  }
  return kReadOk;
}

void AllocateFromHeader(CData& data, int rows, CTableHeader& header, bool withTitle) {
  data.Allocate(rows, header.columns);
  if (withTitle) data.title = std::move(header.title);
  data.columnLabels = std::move(header.columnLabels);
  data.maxColumnLabelLength = 0;
  for (const std::string& label : data.columnLabels) {
    data.maxColumnLabelLength = std::max(data.maxColumnLabelLength, CharacterCount(label));
  }
}
