// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "data/ReadContext.h"

class CData;
struct CTableHeader;

// Reads the text table `data.fileName` into `data` (counts, labels, title, values) and returns
// its result code with the detail of a failure and the notices of the read. The bytes are
// decoded first (UTF-8 with or without its mark, UTF-16 with its mark, else Windows-1252).
CReadOutcome ReadTextTable(CData& data, const CReadOptions& options, const CReadContext& context);

// The same from decoded text; `data.fileName` only names the file in messages.
CReadOutcome ReadTextTableText(CData& data, std::string_view text, const CReadOptions& options,
                               const CReadContext& context);

// Reads the whole file at `path` through one handle: a file that changes or disappears while the
// table is read cannot make a reader see two different files. Returns 0 or the reader code of
// the failure (7, 8, 9 with the system's reason).
int ReadWholeFile(const std::string& path, std::string& content, std::string* reason);

// Sizes `data` for `rows` rows and the header's columns and moves in the header's column labels
// (and its title when `withTitle`), with the length of the longest label.
void AllocateFromHeader(CData& data, int rows, CTableHeader& header, bool withTitle);
