// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CQuorvelDoc;
class CViewModel;
struct CExportFormat;

// The analysis commands of a window and the automatic treatment after a load. Each result
// normally opens a new window that starts as a copy of the document's most recent one.

// The window that receives a result: a new view copying the current one, unless more than 18
// windows are open (then the current one; above 17 a warning comes first). After clustering the
// user selections of the window are cleared.
CViewModel& NewResultWindow(CViewModel& view, bool fromClustering);

// Clusters one side: removes a shown dendrogram in place, or builds one in a new window (refused
// without a linkage rule, with fewer than two items, or when the heights of the dendrogram leave
// the range of numbers). Returns the window that holds the result: the new window, or `view`
// when the tree was removed or the clustering refused.
CViewModel& ClusterSide(CViewModel& view, bool rows);

// Seriates one side: under its dendrogram when it has a selected node, else as a path; in the
// window itself when either side carries a user selection, else in a new window.
void SeriateSide(CViewModel& view, bool rows);

// The automatic treatment: clustering and seriation of the sides asked for, the export file name
// prepared after each step, the export of the newest window and the end of the program when
// asked.
void RunAutomation(CQuorvelDoc& document, bool cluster, bool seriate);

// The export file named on the command line: exactly as given for the formats that keep it, else
// cut at the first point of its file name and given the format's extension; empty when the
// command line named none.
std::string CommandLineExportName(const CQuorvelDoc& document, const CExportFormat& format);
// The name a save dialog proposes for an export: the last export's name (in the folder used
// last), or the document's title in the data file's folder, with the format's extension.
std::string ProposedExportName(const CQuorvelDoc& document, const CExportFormat& format);
