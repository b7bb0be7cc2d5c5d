// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the workbook reader and reads back what a table load would read: the
// first sheet's size, its first rows and columns (labels and the top-left checks) and every cell
// it holds, with its text converted as labels are.
#include <cstddef>
#include <cstdint>
#include <span>

#include "workbook/WideText.h"
#include "workbook/Workbook.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CWorkbook workbook;
  if (!workbook.LoadWorkbookBytes(std::span<const uint8_t>(data, size))) return 0;
  size_t sink = 0;
  for (int sheet = 0; sheet < workbook.SheetCount() && sheet < 4; ++sheet) {
    const int rows = workbook.Rows(sheet);
    const int columns = workbook.Columns(sheet);
    if (rows < 0 || rows > 65536 || columns < 0 || columns > 256) __builtin_trap();
    for (int r = -1; r < rows && r < 64; ++r) {
      for (int c = -1; c <= columns && c < 300; ++c) {
        const CWorkbookCell cell = workbook.CellAt(sheet, r, c);
        sink += static_cast<size_t>(cell.Integer()) + Utf16ToUtf8(cell.text).size();
      }
    }
    for (int r = 0; r < rows; ++r) {
      sink += Utf16ToUtf8(workbook.CellAt(sheet, r, 0).text).size();
    }
    sink += workbook.Sheet(sheet).CellCount();
  }
  return sink == 0xFFFFFFFF ? 1 : 0;
}
