// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "DocumentFixture.h"
#include "document/Pipeline.h"
#include "document/ViewModel.h"
#include "tree/Tree.h"

TEST(HostileTreatment, AClusteringWhoseHeightsOverflowIsRefusedWithoutAWindow) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(6, 3), {"-Ward"}));
  CViewModel& first = f.Current();
  // Dissimilarities near the largest double, as a file may give them: Ward's update overflows.
  CDistance& rows = f.Doc().rowDistances;
  std::fill(rows.values.begin(), rows.values.end(), 1e308);
  for (int i = 0; i < rows.size; ++i)
    rows.Row(i)[i] = 0.0;
  rows.Set(0, 1, 1.0);

  ClusterSide(first, true);
  EXPECT_EQ(f.ViewCount(), 1);
  EXPECT_EQ(&f.Current(), &first);
  EXPECT_FALSE(first.rowTree.hasTree);
  ASSERT_EQ(f.services.notices.size(), 1u);
  EXPECT_NE(f.services.notices[0].find("Ward's Minimum Variance Method"), std::string::npos)
      << f.services.notices[0];

  // The same matrix clusters by complete linkage, whose heights stay dissimilarities.
  f.Doc().settings.AgregationCriterion = ELinkage::kComplete;
  ClusterSide(first, true);
  CViewModel& clustered = f.Current();
  EXPECT_NE(&clustered, &first);
  EXPECT_EQ(f.ViewCount(), 2);
  EXPECT_TRUE(clustered.rowTree.hasTree);
  EXPECT_EQ(f.services.notices.size(), 1u);
}
