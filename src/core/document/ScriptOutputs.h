// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CQuorvelDoc;
class CViewModel;

// The results a script names on the command line, written from the newest window at the end of
// the automatic treatment: the reordered table (the saved-items format, whole table, and the
// tab-separated table for pandas and R), the dendrogram of each side in Newick form (nothing for
// a side without one), the clusters of each side's cut and a text report.
// Each file is written completely or not at all; a failure is shown with the file name and the
// system's reason, and the function returns false.
bool WriteScriptOutputs(CQuorvelDoc& document);

// The text report: one line per side with R and S to full precision, the linkage and seriation
// rules, the dissimilarity and the transformation, and the table size.
std::string ReportText(const CQuorvelDoc& document, CViewModel& view);
