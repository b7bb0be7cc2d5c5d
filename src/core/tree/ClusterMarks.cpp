// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/ClusterMarks.h"

#include <algorithm>

#include "tree/Tree.h"

namespace {

void SetSelectedMarks(CTree& tree, int value) {
  const int end = std::min(tree.selectionStart + tree.selectionLength, tree.count);
  for (int p = std::max(tree.selectionStart, 0); p < end; ++p) {
    tree.marks[static_cast<size_t>(tree.order[static_cast<size_t>(p)])] = value;
  }
}

}  // namespace

bool Mark(CTree& tree, ColorRef colour) {
  if (tree.selectionLength == tree.count) return false;
  SetSelectedMarks(tree, static_cast<int>(colour));
  if (tree.marksShown) return false;
  tree.marksShown = true;
  return true;
}

bool Unmark(CTree& tree) {
  SetSelectedMarks(tree, 0);
  if (std::any_of(tree.marks.begin(), tree.marks.end(), [](int mark) { return mark != 0; })) {
    return false;
  }
  tree.marksShown = false;
  return true;
}

bool UnmarkAll(CTree& tree) {
  std::fill(tree.marks.begin(), tree.marks.end(), 0);
  tree.marksShown = false;
  return true;
}
