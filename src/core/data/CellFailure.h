// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

class CData;
class CError;

// "row 3 (label 'x')" or "column 2 (label 'y')", counted from 1.
std::string DescribeItem(const CData& data, bool row, int index);

// Rethrows a failure of the cell (row, column) read from line `line` of `fileName` (0 for a
// cell that comes from no line, as in a workbook) with where the cell stands and what to do.
[[noreturn]] void ThrowCellFailure(const CError& error, const CData& data,
                                   std::string_view fileName, int line, int row, int column);
