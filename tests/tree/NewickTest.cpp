// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "TestFiles.h"
#include "TreeFixture.h"
#include "tree/Aggregation.h"
#include "tree/NewickWriter.h"
#include "tree/TreeFileName.h"

namespace {

// ((a, b) at 1, c) at 3.
class CThreeLeaves : public ::testing::Test {
 protected:
  CThreeLeaves() : side({{0, 1, 3}, {1, 0, 3}, {3, 3, 0}}) { side.labels = {"a", "b", "c"}; }
  CSide side;
};

}  // namespace

TEST_F(CThreeLeaves, WritesTopologyAndBranchLengths) {
  std::string reason;
  EXPECT_EQ(NewickText(side.tree, &reason), "((a:1.00,b:1.00):2.00,c:3.00);");
  EXPECT_EQ(NewickText(side.tree, &reason, ENewickLengths::kExact), "((a:1,b:1):2,c:3);");
  side.tree.selectedNode = 1;
  EXPECT_EQ(NewickText(side.tree, &reason), "b;");
}

TEST_F(CThreeLeaves, WritesTheFileWholeWithoutLineEnd) {
  CTempDir folder;
  const std::string path = (folder.Path() / "tree.phy").string();
  std::string reason;
  ASSERT_TRUE(WriteNewick(side.tree, path, &reason)) << reason;
  EXPECT_EQ(ReadFileText(path), "((a:1.00,b:1.00):2.00,c:3.00);");
}

TEST_F(CThreeLeaves, FailuresAreReportedAndLeaveTheOldFile) {
  CTempDir folder;
  const std::string path = folder.Write("tree.phy", "old");
  std::string reason;
  side.labels.pop_back();  // item 2 has no label
  EXPECT_FALSE(WriteNewick(side.tree, path, &reason));
  EXPECT_NE(reason.find("item 2"), std::string::npos) << reason;
  EXPECT_EQ(ReadFileText(path), "old");

  side.labels.push_back("c");
  reason.clear();
  EXPECT_FALSE(WriteNewick(side.tree, (folder.Path() / "missing" / "t.phy").string(), &reason));
  EXPECT_FALSE(reason.empty());

  side.tree.hasTree = false;
  EXPECT_FALSE(WriteNewick(side.tree, path, &reason));
  EXPECT_EQ(ReadFileText(path), "old");
}

TEST(Newick, LengthFormatsFollowTheMagnitude) {
  EXPECT_EQ(FormatBranchLength(12345.6), "12346");
  EXPECT_EQ(FormatBranchLength(1234.5), "1234.5");
  EXPECT_EQ(FormatBranchLength(12.3456), "12.35");
  EXPECT_EQ(FormatBranchLength(0.05), "0.050");
  EXPECT_EQ(FormatBranchLength(0.005), "0.0050");
  EXPECT_EQ(FormatBranchLength(0.0005), " 0.00");
  EXPECT_EQ(FormatBranchLength(0.0), " 0.00");
  // The bounds belong to the lower format.
  EXPECT_EQ(FormatBranchLength(9999.999), "10000.0");
  EXPECT_EQ(FormatBranchLength(0.1), "0.100");
  EXPECT_EQ(FormatBranchLength(-2.5), "-2.50");
}

TEST(Newick, ReservedCharactersAreQuoted) {
  EXPECT_EQ(NewickLabel("plain_label-1.5"), "plain_label-1.5");
  EXPECT_EQ(NewickLabel("two words"), "'two words'");
  EXPECT_EQ(NewickLabel("a,b"), "'a,b'");
  EXPECT_EQ(NewickLabel("f(x):y;"), "'f(x):y;'");
  EXPECT_EQ(NewickLabel("[note]"), "'[note]'");
  EXPECT_EQ(NewickLabel("tab\there"), "'tab\there'");
  EXPECT_EQ(NewickLabel("O'Brien"), "'O''Brien'");
  EXPECT_EQ(NewickLabel(""), "");
}

TEST(Newick, GroupsShowTheirMergesWithZeroInnerLengths) {
  // ((a, b) at 1, c) at 2 under a root at 5 with d.
  CSide side({{0, 1, 2, 5}, {1, 0, 2, 5}, {2, 2, 0, 5}, {5, 5, 5, 0}});
  side.labels = {"a", "b", "c", "d"};
  CTree& tree = side.tree;
  SelectNode(tree, 5);
  ASSERT_TRUE(Aggregate(tree));
  tree.selectedNode = tree.root;
  EXPECT_EQ(NewickText(tree, nullptr), "(((a:2.00,b:2.00): 0.00,c:2.00):3.00,d:5.00);");
}

TEST(Newick, LabelsWithReservedCharactersInATree) {
  CSide side({{0, 1}, {1, 0}});
  side.labels = {"x y", "z"};
  EXPECT_EQ(NewickText(side.tree, nullptr), "('x y':1.00,z:1.00);");
}

TEST(TreeFileName, DefaultCutsTheFileNameAtItsFirstPoint) {
  EXPECT_EQ(DefaultTreeFileName("", "C:\\data\\sample.txt"), "C:\\data\\sample.phy");
  EXPECT_EQ(DefaultTreeFileName("", "/home/a.b/data.v2.txt"), "/home/a.b/data.phy");
  EXPECT_EQ(DefaultTreeFileName("", "./out/data.txt"), "./out/data.phy");
  EXPECT_EQ(DefaultTreeFileName("", "/tmp/x.y/table"), "/tmp/x.y/table.phy");
  EXPECT_EQ(DefaultTreeFileName("/saved/last.tre", "/tmp/data.txt"), "/saved/last.tre");
}

TEST(TreeFileName, ChosenNameWithoutPointGetsTheExtension) {
  EXPECT_EQ(ChosenTreeFileName("/a.b/tree"), "/a.b/tree.phy");
  EXPECT_EQ(ChosenTreeFileName("tree"), "tree.phy");
  EXPECT_EQ(ChosenTreeFileName("/a/tree.tre"), "/a/tree.tre");
}

TEST(Newick, ExactLengthsReadBackToTheSameDoubles) {
  for (double length : {0.1, 1.0 / 3.0, 12345.678901234567, 3e-5, 1e-300, 0.0, -0.0, 2.5e12}) {
    const std::string text = ExactBranchLength(length);
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), length) << text;
    EXPECT_EQ(text.find(' '), std::string::npos);
  }
  EXPECT_EQ(ExactBranchLength(-0.0), "0");
  EXPECT_EQ(ExactBranchLength(0.1), "0.1");
}
