// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Cell scanning of text tables. The semicolon, the colon and the tab always end a cell; the
// blank does too when the table says so.
inline bool IsDelimiter(char c, bool blankIsDelimiter) {
  return c == ';' || c == ':' || c == '\t' || (blankIsDelimiter && c == ' ');
}

// Removes leading blanks, then at most one ';', ':' or tab and the blanks after it. So two tabs
// in a row enclose an empty cell while a run of blanks is one delimiter.
void SkipSeparators(std::string_view& line);

// The longest prefix without a delimiter, removed from `line` (nothing else is skipped).
std::string_view TakeCell(std::string_view& line, bool blankIsDelimiter);

// Skips separators, takes a cell, skips separators again: an empty label is only returned at
// the end of the line.
std::string ReadLabelCell(std::string_view& line, bool blankIsDelimiter);

// Reads one value cell: an empty cell is missing; commas read as points; without the blank as
// delimiter the blanks inside the cell are dropped (a cell of blanks reads 0); a cell that is
// not entirely a decimal number is missing.
double ParseValueCell(std::string_view& line, bool blankIsDelimiter);

// The whole of `text` as a decimal number: optional sign, digits with an optional point and
// fraction, optional exponent. No "inf", "nan" or hexadecimal. A magnitude too large for a
// double is refused; one too small reads as zero.
bool ParseDecimal(std::string_view text, double& value);

// The longest decimal number at the start of `text` (no leading blanks); the number of
// characters it used, 0 when `text` does not begin with one.
size_t ParseDecimalPrefix(std::string_view text, double& value);
