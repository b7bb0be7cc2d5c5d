// SPDX-License-Identifier: GPL-3.0-or-later
// RK numbers: the compact 32-bit form of a cell value. Bit 1 set means a 30-bit signed integer
// (v shifted right arithmetically by 2), else the upper 32 bits of a double whose lower 32 bits
// are zero (v with its two low bits cleared). Bit 0 set means the value is divided by 100, and an
// integer divided by 100 is a real. Constant time and memory.
#include "workbook/RkValue.h"

#include <cstring>

CWorkbookCell DecodeRk(uint32_t rk) {
  CWorkbookCell cell;
  const bool hundredths = (rk & 1u) != 0;
  if (rk & 2u) {
    const int32_t integer = static_cast<int32_t>(rk) >> 2;
    cell.kind = hundredths ? CellKind::kReal : CellKind::kInteger;
    cell.number = hundredths ? static_cast<double>(integer) / 100.0 : static_cast<double>(integer);
    return cell;
  }
  const uint64_t bits = static_cast<uint64_t>(rk & ~3u) << 32;
  double real;
  std::memcpy(&real, &bits, sizeof real);
  cell.kind = CellKind::kReal;
  cell.number = hundredths ? real / 100.0 : real;
  return cell;
}
