// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

// What a worksheet cell holds. Formulas of binary workbooks, blanks and error values are empty.
enum class CellKind : uint8_t { kEmpty, kInteger, kReal, kText, kWideText };

// One cell as the workbook delivers it. Text cells carry their shared string as UTF-16 code
// units (8-bit strings are Latin-1, so each byte is one code unit); the view lives as long as
// the workbook.
struct CWorkbookCell {
  CellKind kind = CellKind::kEmpty;
  double number = 0.0;  // the integer or the real
  std::u16string_view text;

  bool IsNumber() const { return kind == CellKind::kInteger || kind == CellKind::kReal; }
  // An integer as it is, a real as it is; any other cell reads 0.
  double Number() const { return IsNumber() ? number : 0.0; }
  // A real truncated toward zero (clamped to the int range, NaN reads 0); other cells read 0.
  int Integer() const;
};
