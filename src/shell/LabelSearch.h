// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

class CTree;

// What a search of one side's labels found: the display positions whose label matches, in
// display order, or the reason a pattern cannot be used (then nothing is found).
struct CLabelSearch {
  std::vector<int> positions;
  QString error;
};

// The positions of `side` whose label holds `text` ignoring case, or, with `regularExpression`,
// whose label the pattern `text` matches somewhere ignoring case. An empty text finds nothing.
CLabelSearch SearchLabels(const CTree& side, const QString& text, bool regularExpression);
