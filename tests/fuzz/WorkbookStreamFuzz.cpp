// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes as the workbook stream of a well-formed compound file, so that the
// mutations reach the record, string and cell readers instead of the container.
#include <cstddef>
#include <cstdint>
#include <span>

#include "WorkbookBuilder.h"
#include "workbook/WideText.h"
#include "workbook/Workbook.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const CCompoundBuilder file(std::span<const uint8_t>(data, size));
  CWorkbook workbook;
  if (!workbook.LoadWorkbookBytes(file.bytes)) __builtin_trap();
  size_t sink = 0;
  for (int sheet = 0; sheet < workbook.SheetCount() && sheet < 4; ++sheet) {
    const int rows = workbook.Rows(sheet);
    const int columns = workbook.Columns(sheet);
    if (rows < 0 || rows > 65536 || columns < 0 || columns > 256) __builtin_trap();
    for (int r = 0; r < rows && r < 64; ++r) {
      for (int c = 0; c < columns; ++c) {
        const CWorkbookCell cell = workbook.CellAt(sheet, r, c);
        sink += static_cast<size_t>(cell.Integer()) + Utf16ToUtf8(cell.text).size();
      }
    }
  }
  return sink == 0xFFFFFFFF ? 1 : 0;
}
