// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

class CTree;

// A branch length as the tree files show it, the format chosen by its magnitude: "%.0f" above
// 9999.999, "%.1f" above 999.999, "%.2f" above 0.1, "%.3f" above 0.01, "%.4f" above 0.001 and
// "%5.2f" below (so a zero length is " 0.00").
std::string FormatBranchLength(double length);
// A branch length in the shortest text that reads back to the same double ("1.25", "0.1",
// "3e-05"), so that the lengths of an ultrametric tree add up again to its heights.
std::string ExactBranchLength(double length);

// How the branch lengths of a tree file are written.
enum class ENewickLengths {
  kFixed,  // FormatBranchLength: the tree files' fixed decimals
  kExact,  // ExactBranchLength
};

// A label as written in a tree: unchanged, or in single quotes (inner quotes doubled) when it
// holds a blank, a tab, a line end, a quote, a parenthesis, a square bracket, a comma, a colon or
// a semicolon, which the format reserves.
std::string NewickLabel(std::string_view label);

// The Newick text of the selected subtree, ";" included, without a line end. The text follows
// the merges below aggregated groups too (a group's children have length 0 to internal nodes
// and the group's height to leaves). Fails (nullopt and a reason) without a tree or when a leaf's
// item has no label.
std::optional<std::string> NewickText(const CTree& tree, std::string* reason,
                                      ENewickLengths lengths = ENewickLengths::kFixed);

// Writes NewickText to `path` completely or not at all (the old file stays on failure);
// returns false with a reason when there is no tree, a label is missing or the file cannot be
// written.
bool WriteNewick(const CTree& tree, const std::string& path, std::string* reason,
                 ENewickLengths lengths = ENewickLengths::kFixed);
