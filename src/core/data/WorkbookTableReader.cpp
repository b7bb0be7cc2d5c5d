// SPDX-License-Identifier: GPL-3.0-or-later
// Maps the first worksheet of a workbook onto a data table. The title record and the tag records
// ("AID", "EWEIGHT", "EORDER" among the first four cells of column A; "NAME", "GWEIGHT", "GORDER"
// among the first four cells of row 1) are taken to stand together at the top and on the left;
// what remains below and to the right is the table. Numbers are used as they are, every other
// cell is missing. Cost: one cell lookup per table cell; memory of the table.
#include "data/WorkbookTableReader.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "base/FileNames.h"
#include "base/Missing.h"
#include "base/Progress.h"
#include "base/Text.h"
#include "data/Data.h"
#include "data/ReadContext.h"
#include "data/TableFileReader.h"
#include "workbook/WideText.h"
#include "workbook/Workbook.h"

namespace {

// A real that is not finite (a damaged or crafted file) is no number: the table would carry it
// into every sum, so it reads like any other non-number cell.
bool HoldsNumber(const CWorkbookCell& cell) {
  return cell.IsNumber() && std::isfinite(cell.number);
}

bool IsTagRowWord(const std::string& text) {
  return EqualsIgnoringCase(text, "AID") || EqualsIgnoringCase(text, "EWEIGHT") ||
         EqualsIgnoringCase(text, "EORDER");
}

bool IsTagColumnWord(const std::string& text) {
  return EqualsIgnoringCase(text, "NAME") || EqualsIgnoringCase(text, "GWEIGHT") ||
         EqualsIgnoringCase(text, "GORDER");
}

}  // namespace

std::string WorkbookCellText(const CWorkbookCell& cell) {
  switch (cell.kind) {
    case CellKind::kInteger:
      return Format("%d", cell.Integer());
    case CellKind::kReal: {
      if (!std::isfinite(cell.number)) return {};
      std::string text = Format("%f", cell.number);
      while (!text.empty() && text.back() == '0')
        text.pop_back();
      if (!text.empty() && text.back() == '.') text.pop_back();
      return text;
    }
    case CellKind::kText:
    case CellKind::kWideText:
      return Utf16ToUtf8(cell.text);
    default:
      return {};
  }
}

CReadOutcome ReadWorkbookTable(CData& data, const CReadOptions& options,
                               const CReadContext& context) {
  CReadOutcome outcome;
  const auto finish = [&outcome](int code) {
    outcome.code = code;
    return outcome;
  };
  const std::string fileName = FileNameOf(data.fileName);
  CWorkbook workbook;
  // A file that is no readable workbook, or one without a sheet, has nothing to show: the
  // nearest message is that of the empty sheet, with what went wrong.
  std::string failure;
  if (!workbook.LoadAnyWorkbook(data.fileName, &failure)) {
    outcome.reason = fileName + ": " + failure + ". Quorvel reads " + SupportedFormatsText() + ".";
    return finish(kReadSheetEmpty);
  }
  if (workbook.SheetCount() == 0) {
    outcome.reason = fileName + ": the workbook holds no sheet.";
    return finish(kReadSheetEmpty);
  }
  const int height = workbook.Rows(0);
  const int width = workbook.Columns(0);
  if (height == 0 || width == 0) {
    outcome.reason = fileName + ": the first sheet holds no cell.";
    return finish(kReadSheetEmpty);
  }
  const auto text = [&](int row, int column) {
    return WorkbookCellText(workbook.CellAt(0, row, column));
  };

  if (text(0, 0).empty() && text(1, 0).empty() && text(2, 0).empty()) {
    outcome.reason = fileName + ": the cells A1, A2 and A3 of the first sheet are empty.";
    return finish(kReadNotTopLeft);
  }
  bool firstRowEmpty = true;
  for (int c = 0; c < width && firstRowEmpty; ++c)
    firstRowEmpty = text(0, c).empty();
  if (firstRowEmpty) {
    outcome.reason = fileName + ": the first row of the first sheet is empty.";
    return finish(kReadNotTopLeft);
  }

  int rows = height;
  int columns = width;
  if (options.titleCol) {
    --rows;
    for (int r = 0; r < 4; ++r)
      rows -= IsTagRowWord(text(r, 0)) ? 1 : 0;
  }
  if (options.titleRow) {
    --columns;
    for (int c = 0; c < 4; ++c)
      columns -= IsTagColumnWord(text(0, c)) ? 1 : 0;
  }
  // Tags in a sheet of one or two rows or columns can take away more than there is.
  if (rows <= 0 || columns <= 0) {
    outcome.reason = fileName + ": no data is left once the title row and column are counted.";
    return finish(kReadSheetEmpty);
  }
  const int firstRow = height - rows;
  const int firstColumn = width - columns;

  rows = ConfirmRowsToRead(rows, context, outcome);
  if (rows <= 1) return finish(kReadTooFewRows);

  data.Allocate(rows, columns);
  std::unique_ptr<CProgress> progress =
      OpenItemProgress(context.progress, "Is reading the data->", rows);

  data.rowLabels.reserve(static_cast<size_t>(rows));
  data.columnLabels.reserve(static_cast<size_t>(columns));
  for (int i = 0; i < rows; ++i) {
    data.rowLabels.push_back(options.titleRow ? text(firstRow + i, 0) : Format("Row %d", i + 1));
  }
  for (int j = 0; j < columns; ++j) {
    data.columnLabels.push_back(options.titleCol ? text(0, firstColumn + j)
                                                 : Format("Col-%d", j + 1));
  }
  data.maxRowLabelLength = 0;
  for (const std::string& label : data.rowLabels) {
    data.maxRowLabelLength = std::max(data.maxRowLabelLength, CharacterCount(label));
  }
  data.maxColumnLabelLength = 0;
  for (const std::string& label : data.columnLabels) {
    data.maxColumnLabelLength = std::max(data.maxColumnLabelLength, CharacterCount(label));
  }

  for (int i = 0; i < rows; ++i) {
    double* cells = data.Row(i);
    for (int j = 0; j < columns; ++j) {
      const CWorkbookCell cell = workbook.CellAt(0, firstRow + i, firstColumn + j);
      cells[j] = HoldsNumber(cell) ? cell.number : kMissing;
    }
    if (progress) progress->Step();
  }
  return finish(kReadOk);
}
