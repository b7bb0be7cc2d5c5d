// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmallPicture.h"

namespace {

CNode Merge(int index, int left, int right, double height, int count) {
  CNode node;
  node.index = index, node.left = left, node.right = right;
  node.height = height, node.count = count, node.expanded = true;
  return node;
}

int LongestLabel(const std::vector<std::string>& labels) {
  size_t longest = 0;
  for (const std::string& label : labels)
    longest = std::max(longest, label.size());
  return static_cast<int>(longest);
}

}  // namespace

CSmallPicture::CSmallPicture(std::vector<std::string> rowLabels) {
  data.Allocate(3, 2);
  const double values[3][2] = {{-2, 1}, {0, 4}, {3, -99999}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 2; ++j)
      data.At(i, j) = values[i][j];
  data.rowLabels = std::move(rowLabels);
  data.columnLabels = {"x", "y\xc3\xa9"};
  data.maxRowLabelLength = LongestLabel(data.rowLabels);
  data.maxColumnLabelLength = 2;
  data.maxValue = 4;
  data.minValue = -2;
  rows.Initialize(3, nullptr, &data.rowLabels, {});
  columns.Initialize(2, nullptr, &data.columnLabels, {});
  rows.nodes.assign(3, CNode{});
  for (int k = 0; k < 3; ++k) {
    rows.nodes[k].index = rows.nodes[k].left = k;
    rows.nodes[k].count = 1;
  }
  rows.nodes.push_back(Merge(3, 0, 1, 1.0, 2));
  rows.nodes.push_back(Merge(4, 3, 2, 2.5, 3));
  rows.root = 4;
  rows.rootHeight = 2.5;
  rows.hasTree = true;
  rows.RebuildOrder(rows.root);
  rows.userSelection = true;
  rows.selectionStart = 1;
  rows.selectionLength = 1;
  display.m_intNumberOfNuances = 9;
  DeriveColorSwitches(display);
}

CPictureInput CSmallPicture::Input() {
  CPictureInput input;
  input.data = &data;
  input.rows = &rows;
  input.columns = &columns;
  input.display = &display;
  input.report.rows = {0.5, 12.25, true, ELinkage::kWard, -1, -3};
  input.report.columns = {0.25, 3.0, false, ChoiceOf<ELinkage>(-1), -1, 0};
  return input;
}
