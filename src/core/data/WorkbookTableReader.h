// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "data/ReadContext.h"

class CData;
struct CWorkbookCell;

// Reads the first sheet of the workbook `data.fileName` (.xls, .xlsx or .ods, told by its bytes)
// into `data` (counts, labels, values) and returns its reader code: 0, 1 (fewer than two data rows,
// or stopped at the large-data warning), 5 (no readable workbook, no sheet, or no data once titles
// and tags are removed) or 6 (the table does not start in the top left corner).
CReadOutcome ReadWorkbookTable(CData& data, const CReadOptions& options,
                               const CReadContext& context);

// The text a cell shows as a label (UTF-8): an integer's digits, a real in "%f" form without
// trailing zeros and point, the text itself; empty for any other cell.
std::string WorkbookCellText(const CWorkbookCell& cell);
