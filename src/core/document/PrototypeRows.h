// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

class CData;

// The rows read, for the list of each row with its prototype.
struct CReadRows {
  std::vector<std::string> labels;
  std::vector<int> prototypeOf;  // per row read: its row in the summarised table

  // The table's rows were replaced by prototypes.
  bool Summarised() const { return !prototypeOf.empty(); }
};

// Replaces the rows of a read and prepared numerical table by at most `count` weighted
// prototypes (ComputePrototypes): the rows become the prototypes' means, labelled
// "P17 (n=523)" and weighted by their share of the rows read, with their own row statistics
// and value range. The column dissimilarities must have been computed before, over every row
// read, so that the column side stays exact. Returns the rows read with their prototypes.
CReadRows SummariseRows(CData& data, int count);

// The text of the list: one line per row read, its label, a tab and its prototype's label.
// Without a summary every row is its own prototype.
std::string RowPrototypesText(const CData& data, const CReadRows& read);
