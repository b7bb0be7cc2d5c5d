// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "data/ReadContext.h"

class CData;

// Reads the delimited table `data.fileName` (comma-, semicolon- or tab-separated values with
// quoted fields) into `data` with the layout rules of text tables: title record and column, tag
// columns and records, a corner cell or none, short records padded with missing values (with a
// notice), any other disagreement refused with the record's line and both counts. `delimiter` 0
// detects it from the first records. A comma in a value is a decimal mark unless the comma
// delimits; blanks inside a value are dropped (1 234 reads 1234).
CReadOutcome ReadDelimitedTable(CData& data, char delimiter, const CReadOptions& options,
                                const CReadContext& context);

// The same from decoded text; `data.fileName` only names the file in messages.
CReadOutcome ReadDelimitedText(CData& data, std::string_view text, char delimiter,
                               const CReadOptions& options, const CReadContext& context);

// The delimiter (',', ';' or tab) under which the first records of `text` agree and give at
// least one column (the one giving most columns when several do), or 0 when none does.
char DetectDelimiter(std::string_view text, const CReadOptions& options);

// A value cell of a delimited table: blanks around and inside dropped, a comma read as a point
// when `decimalComma`; kMissing when empty or not a decimal number.
double DelimitedValue(std::string_view cell, bool decimalComma);
