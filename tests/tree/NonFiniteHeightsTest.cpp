// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "TestFiles.h"
#include "TreeFixture.h"
#include "tree/NewickWriter.h"

namespace {

bool AllHeightsFinite(const CTree& tree) {
  for (const CNode& node : tree.nodes) {
    if (!std::isfinite(node.height)) return false;
  }
  return true;
}

}  // namespace

TEST(NonFiniteHeights, WardsUpdateCanOverflowFromFiniteDissimilarities) {
  // (n_k + n_I)·d overflows a double for dissimilarities near its largest value.
  const double big = 1e308;
  CSide side({{0, 1, big, big}, {1, 0, big, big}, {big, big, 0, 2}, {big, big, 2, 0}},
             CodeOf(ELinkage::kWard));
  ASSERT_TRUE(side.tree.hasTree);
  EXPECT_FALSE(AllHeightsFinite(side.tree));
  CSide ordinary({{0, 1, 5, 5}, {1, 0, 5, 5}, {5, 5, 0, 2}, {5, 5, 2, 0}}, CodeOf(ELinkage::kWard));
  EXPECT_TRUE(AllHeightsFinite(ordinary.tree));
}

TEST(NonFiniteHeights, NewickRefusesLengthsThatAreNoNumbers) {
  CTempDir folder;
  const std::string path = folder.Write("tree.phy", "old");
  for (const double height :
       {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
    CSide side({{0, 1, 3}, {1, 0, 3}, {3, 3, 0}}, CodeOf(ELinkage::kComplete));
    side.tree.Node(3).height = height;  // the merge of a and b
    std::string reason;
    EXPECT_FALSE(NewickText(side.tree, &reason).has_value());
    EXPECT_NE(reason.find("not a finite number"), std::string::npos) << reason;
    EXPECT_FALSE(WriteNewick(side.tree, path, &reason));
    EXPECT_EQ(ReadFileText(path), "old");
  }
}
