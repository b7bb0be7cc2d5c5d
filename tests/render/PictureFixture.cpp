// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureFixture.h"

#include <algorithm>

CPictureFixture::CPictureFixture(int rows, int columns) {
  data.Allocate(rows, columns);
  for (int i = 0; i < rows; ++i) {
    data.rowLabels.push_back("r" + std::to_string(i));
    for (int j = 0; j < columns; ++j)
      data.At(i, j) = i * columns + j - 5;
  }
  for (int j = 0; j < columns; ++j)
    data.columnLabels.push_back("c" + std::to_string(j));
  data.maxValue = std::max(rows * columns - 6, 0);
  data.minValue = -5;
  for (const auto& label : data.rowLabels)
    data.maxRowLabelLength = std::max<int>(data.maxRowLabelLength, label.size());
  for (const auto& label : data.columnLabels)
    data.maxColumnLabelLength = std::max<int>(data.maxColumnLabelLength, label.size());
  rowTree.Initialize(rows, nullptr, &data.rowLabels, {});
  columnTree.Initialize(columns, nullptr, &data.columnLabels, {});
  display.m_intNumberOfNuances = 9;
  display.ContrastColor = 30;
  display.m_bShowTopFrame = 0;
  DeriveColorSwitches(display);
}

CPictureInput CPictureFixture::Input() {
  CPictureInput input;
  input.data = &data;
  input.rows = &rowTree;
  input.columns = &columnTree;
  input.display = &display;
  return input;
}

void CPictureFixture::BuildTree(CTree& side, const std::vector<std::array<double, 3>>& merges) {
  const int n = static_cast<int>(side.order.size());
  side.nodes.assign(static_cast<size_t>(n), CNode{});
  for (int k = 0; k < n; ++k) {
    CNode& leaf = side.nodes[static_cast<size_t>(k)];
    leaf.index = k, leaf.left = k, leaf.right = -1, leaf.count = 1, leaf.expanded = true;
  }
  for (const auto& merge : merges) {
    CNode node;
    node.index = static_cast<int>(side.nodes.size());
    node.left = static_cast<int>(merge[0]);
    node.right = static_cast<int>(merge[1]);
    node.height = merge[2];
    node.count = side.nodes[static_cast<size_t>(node.left)].count +
                 side.nodes[static_cast<size_t>(node.right)].count;
    node.expanded = true;
    side.nodes.push_back(node);
  }
  side.root = static_cast<int>(side.nodes.size()) - 1;
  side.rootHeight = side.nodes.back().height;
  side.hasTree = true;
  side.RebuildOrder(side.root);
}
