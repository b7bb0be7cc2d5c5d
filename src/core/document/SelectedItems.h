// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

class CData;
class CElements;

// The selected block of the table in the current orders, as tab-delimited text that the text
// reader reads back: a header line with the title and the selected column labels, then one line
// per selected row with its label and values; every cell is followed by a tab and every line
// ends with CR LF. Values have at most six significant digits (fixed or exponent notation, as
// "%g"); missing cells are written -99999.
std::string FormatSelectedItems(const CData& data, const CElements& rows, const CElements& columns);

// The whole table in the current orders (for the script output of the reordered table).
std::string FormatOrderedTable(const CData& data, const CElements& rows, const CElements& columns);

// The proposed name for saving: `saveName` when set, else the data file cut at its first point
// plus ".txt". It never names a file in `openDataFiles` (the data files of the open documents):
// such a name becomes "<name>-selection.txt" (then "-selection-2.txt", …), so that accepting
// the proposal can never replace the data by the selection.
std::string ProposedSaveName(const std::string& saveName, const std::string& dataPath,
                             const std::vector<std::string>& openDataFiles = {});

// Whether `path` names one of `files` (the same file on disk, or the same normalised path for
// files that do not exist).
bool NamesOneOf(const std::string& path, const std::vector<std::string>& files);

// A chosen name whose file name holds no point (or only a leading one) gets ".txt".
std::string CompletedSaveName(const std::string& chosen);
