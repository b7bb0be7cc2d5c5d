// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the workbook loader of every format (the bytes tell which: a zip
// package is read as .xlsx or .ods, a compound file as .xls) and reads back what a table load
// reads: the first sheet's size and every cell of its first rows and columns, with texts
// converted as labels are. The sheet must keep within its format's limits.
#include <cstddef>
#include <cstdint>
#include <span>

#include "workbook/WideText.h"
#include "workbook/Workbook.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CWorkbook workbook;
  std::string failure;
  // A million cells keep one input's work small; the limit itself is what is tested.
  if (!workbook.LoadAnyWorkbookBytes(std::span<const uint8_t>(data, size), &failure, 1 << 20)) {
    if (failure.empty()) __builtin_trap();
    return 0;
  }
  size_t sink = 0;
  for (int sheet = 0; sheet < workbook.SheetCount() && sheet < 2; ++sheet) {
    const CWorksheet& grid = workbook.Sheet(sheet);
    const int rows = grid.Rows();
    const int columns = grid.Columns();
    if (rows < 0 || rows > grid.MaxRows() || columns < 0 || columns > grid.MaxColumns()) {
      __builtin_trap();
    }
    for (int r = -1; r < rows && r < 64; ++r) {
      for (int c = -1; c <= columns && c < 64; ++c) {
        const CWorkbookCell cell = workbook.CellAt(sheet, r, c);
        sink += static_cast<size_t>(cell.Integer()) + Utf16ToUtf8(cell.text).size();
      }
    }
    sink += grid.CellCount();
  }
  return sink == 0xFFFFFFFF ? 1 : 0;
}
