// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ScriptedServices.h"
#include "dissimilarity/Distance.h"
#include "seriation/Elements.h"

TEST(Elements, InitializeStartsWithTheIdentityAllSelected) {
  CDistance d;
  d.Allocate(3);
  const std::vector<std::string> labels{"a", "b", "c"};
  CElements side;
  side.Initialize(3, &d, &labels, {0.5, 0.25, 0.25});
  EXPECT_EQ(side.order, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(side.selectionStart, 0);
  EXPECT_EQ(side.selectionLength, 3);
  EXPECT_EQ(side.marks, (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(side.elements[0].weight, 0.5);
}

TEST(Elements, RIsRecomputedOnlyWhileTheObjectiveFunctionsAreShown) {
  CScriptedServices services;
  CDistance d;
  d.Allocate(2);
  d.Set(0, 1, 5);
  d.SumByRows(nullptr);
  CElements side;
  side.Initialize(2, &d, nullptr, {});
  side.objectiveR = 0.25;
  ComputeObjectives(side, false, &services);
  EXPECT_EQ(side.objectiveR, 0.25);
  EXPECT_EQ(side.objectiveS, 5.0);
  ComputeObjectives(side, true, &services);
  EXPECT_NEAR(side.objectiveR, 1.0, 1e-7);
}
