// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/ReadContext.h"

class CData;

using TableReader = CReadOutcome (*)(CData& data, const CReadOptions& options,
                                     const CReadContext& context);

// One input format of data tables: its name, the endings of its file names and its reader.
struct CTableFormat {
  std::string_view caption;                  // in the open dialog: "Comma-separated values"
  std::string_view name;                     // in messages: "comma-separated values"
  std::vector<std::string_view> extensions;  // "csv" (lower case, without the point)
  TableReader read;
};

// The formats in the order the open dialog lists them; the last, the historical text table,
// reads every name no other format claims.
std::span<const CTableFormat> TableFormats();

// The format that reads `path`. The endings are compared ignoring case, except the historical
// one of binary workbooks: only a name ending in exactly "xls" is one (data.XLS is a text table).
const CTableFormat& TableFormatOf(std::string_view path);

// Reads `data.fileName` with its format's reader.
CReadOutcome ReadTableFile(CData& data, const CReadOptions& options, const CReadContext& context);

// The filter of the open dialog: "Data Files (...)|...|" then one entry per format and "All
// Files", in the "name|patterns|...||" form.
std::string DataFileFilter();

// "text tables (.txt, .prn), comma-separated values (.csv), ...", for messages.
std::string SupportedFormatsText();
