// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

class CData;
class CElements;
class CTree;

// Files for analysts' tools, in the display order of a window.

// The whole table for pandas and R: the corner label (empty when there is none) and the column
// labels, then each row label and its values; tab-separated, LF line ends, no tab after the last
// cell, missing cells empty, values in the shortest text that reads back to the same double.
// pandas.read_csv(FILE, sep='\t', index_col=0) and read.delim(FILE, row.names=1,
// check.names=FALSE) give the table back. A tab or line break inside a label would split it: it
// becomes a blank. A label that holds a double quote or begins or ends with a blank is written
// between double quotes (inner quotes doubled), as both readers expect. What the readers would
// still change (labels they take for missing values, repeated labels, empty column labels) is
// said in `notices`, one line each; the file is written all the same.
std::string FormatTsvTable(const CData& data, const CElements& rows, const CElements& columns,
                           std::vector<std::string>* notices);

// The clusters of a side's cut: "label<TAB>cluster", then one line per item in display order,
// clusters numbered from 1 in order of first appearance, LF line ends. Labels are cleaned as in
// the table. Empty when the side carries no cut.
std::string FormatClusterMemberships(const CTree& side);

// A label as a field of these files (see above).
std::string TsvLabel(const std::string& label);
