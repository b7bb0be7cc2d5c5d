// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <numeric>

#include "DocumentFixture.h"
#include "base/Failure.h"
#include "dissimilarity/SideDistances.h"
#include "document/PictureInputOf.h"
#include "document/Pipeline.h"
#include "document/ScriptOutputs.h"
#include "tree/Aggregation.h"

TEST(DocumentLoad, TitleOrdersAndFirstView) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(5, 3)));
  EXPECT_EQ(f.Doc().title, "table.txt");
  EXPECT_EQ(f.ViewCount(), 1);
  CViewModel& view = f.Current();
  EXPECT_EQ(view.rowTree.order, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(view.columnTree.count, 3);
  EXPECT_FALSE(view.rowTree.hasTree);
  EXPECT_GT(view.rowTree.objectiveS, 0.0);
  EXPECT_NE(view.rowTree.objectiveR, 0.0);
  EXPECT_EQ(view.rowTree.linkage, ELinkage::kMcQuitty);
  EXPECT_FALSE(f.Doc().firstView);
}

TEST(DocumentLoad, OneRowGivesAOneItemRowMatrix) {
  CDocumentFixture f;
  // A single data row is refused by the reader (code 1) and abandons the document.
  EXPECT_FALSE(f.Open("T\ta\tb\tc\nr1\t1\t2\t3\n"));
  EXPECT_EQ(f.failure, 1);
  ASSERT_EQ(f.services.warnings.size(), 1u);
  EXPECT_EQ(f.services.warnings[0].line2, "n = 1");
}

TEST(DocumentLoad, ReaderIsChosenByTheExactEnding) {
  CDocumentFixture f;
  EXPECT_TRUE(f.Open(NumericalTable(3, 2), {}, "data.XLS"));
  CDocumentFixture g;
  EXPECT_FALSE(g.Open(NumericalTable(3, 2), {}, "data.xls"));  // text is no workbook
  EXPECT_EQ(g.failure, 5);
}

TEST(DocumentLoad, MissingFileAndDataFailures) {
  CDocumentFixture f;
  f.document = std::make_unique<CQuorvelDoc>(f.services, f.store, ScanCommandLine({"x"}), nullptr);
  EXPECT_FALSE(f.document->OpenDocument((f.folder.Path() / "absent.txt").string(), &f.failure));
  EXPECT_EQ(f.failure, 8);
  EXPECT_EQ(f.services.messageBoxes.size(), 1u);

  CDocumentFixture binary;
  try {
    binary.Open("T\ta\tb\nr1\t1\t\nr2\t0\t1\n", {"-Binary"});
    FAIL();
  } catch (const CError& error) {
    EXPECT_EQ(error.ExitStatus(), 10);
  }
  CDocumentFixture missing;
  try {
    missing.Open("T\ta\tb\nr1\t1\t\nr2\t\t1\n");
    FAIL();
  } catch (const CProgramExit& exit) {
    EXPECT_EQ(exit.ExitStatus(), 1);
  }
}

TEST(Pipeline, NoAutomationLeavesOneWindow) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(6, 4)));
  RunAutomation(f.Doc(), true, true);
  EXPECT_EQ(f.ViewCount(), 1);
}

TEST(Pipeline, AutomationRowLeavesThreeWindowsAndFullAutomationFive) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(6, 4), {"-AutomationRow"}));
  RunAutomation(f.Doc(), true, true);
  EXPECT_EQ(f.ViewCount(), 3);
  EXPECT_TRUE(f.Current().rowTree.hasTree);
  EXPECT_FALSE(f.Current().columnTree.hasTree);

  CDocumentFixture g;
  ASSERT_TRUE(g.Open(NumericalTable(6, 4), {"-AutomationRow", "-AutomationCol", "-Ward"}));
  RunAutomation(g.Doc(), true, true);
  EXPECT_EQ(g.ViewCount(), 5);
  EXPECT_TRUE(g.Current().rowTree.hasTree);
  EXPECT_TRUE(g.Current().columnTree.hasTree);
  EXPECT_EQ(g.Current().rowTree.linkage, ELinkage::kWard);
  // Each new window copies the newest one: the columns are clustered on top of the rows.
  EXPECT_FALSE(g.Doc().views[1]->columnTree.hasTree);
  EXPECT_TRUE(g.Doc().views[2]->rowTree.hasTree);
  EXPECT_TRUE(g.Doc().views[2]->columnTree.hasTree);
}

TEST(Pipeline, ClusterCommandTogglesTheTree) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(6, 4)));
  ClusterSide(f.Current(), true);
  ASSERT_EQ(f.ViewCount(), 2);
  CViewModel& clustered = f.Current();
  ASSERT_TRUE(clustered.rowTree.hasTree);
  ClusterSide(clustered, true);  // removes it in place
  EXPECT_EQ(f.ViewCount(), 2);
  EXPECT_FALSE(clustered.rowTree.hasTree);
  ClusterSide(clustered, true);  // builds a new one in a new window
  EXPECT_EQ(f.ViewCount(), 3);
  EXPECT_TRUE(f.Current().rowTree.hasTree);
}

TEST(Pipeline, RefusalsChangeNothing) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(6, 4)));
  f.Doc().settings.AgregationCriterion = ChoiceOf<ELinkage>(-1);
  ClusterSide(f.Current(), true);
  f.Doc().settings.SetSeriationCriterion = ChoiceOf<ESeriation>(-1);
  SeriateSide(f.Current(), false);
  EXPECT_EQ(f.ViewCount(), 1);
  EXPECT_EQ(f.services.notices,
            (std::vector<std::string>{"WARNING !|You must choose a Hierarchical Classification "
                                      "method.",
                                      "ATTENTION !|You must choose a Seriation method."}));
}

TEST(Pipeline, PathSeriationOpensAWindowUnlessAUserSelectionExists) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(8, 3)));
  SeriateSide(f.Current(), true);
  ASSERT_EQ(f.ViewCount(), 2);
  std::vector<int> order = f.Current().rowTree.order;
  std::sort(order.begin(), order.end());
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(f.Current().rowTree.orderMethodMark, 0);
  f.Current().columnTree.userSelection = true;  // as after a sort
  SeriateSide(f.Current(), true);
  EXPECT_EQ(f.ViewCount(), 2);
}

TEST(Pipeline, SizeRefusalClosesTheNewWindowAgain) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(201, 2), {"-SetSeriationByUDS", "-DiscreteOptimisation"}));
  SeriateSide(f.Current(), true);
  EXPECT_EQ(f.ViewCount(), 1);
  ASSERT_EQ(f.services.notices.size(), 1u);
  EXPECT_EQ(f.services.notices[0],
            "STOP!|Too many elements to seriate!\n\nThe processing time would be too long!");
  EXPECT_EQ(f.Current().rowTree.orderMethodMark, -1);
}

TEST(Pipeline, WindowCountRules) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(4, 3)));
  while (CViewModel::OpenCount() < 19)
    f.Doc().CreateView();
  const int before = f.ViewCount();
  ClusterSide(f.Current(), true);  // 19 open: warned, and the result goes to the newest window
  EXPECT_EQ(f.ViewCount(), before);
  EXPECT_TRUE(f.Current().rowTree.hasTree);
  ASSERT_EQ(f.services.notices.size(), 1u);
  EXPECT_NE(f.services.notices[0].find("Too many windows!"), std::string::npos);
}

TEST(Pipeline, ExportNameOnlyAfterAnAutomaticStep) {
  CDocumentFixture f;
  const std::string picture = (f.folder.Path() / "pic.img").string();
  ASSERT_TRUE(f.Open(NumericalTable(4, 3), {"-ExportScreenInBmpFile", picture}));
  RunAutomation(f.Doc(), true, true);
  EXPECT_EQ(f.Doc().exportName, "");
  CDocumentFixture g;
  ASSERT_TRUE(g.Open(NumericalTable(4, 3), {"-ClusteringAutomationRow", "-ExportScreenInBmpFile",
                                            (g.folder.Path() / "pic.img").string()}));
  RunAutomation(g.Doc(), true, true);
  EXPECT_EQ(g.Doc().exportName, (g.folder.Path() / "pic.bmp").string());
}

TEST(ScriptOutputs, TableTreesAndReportAgree) {
  CDocumentFixture f;
  const auto out = [&](const char* name) { return (f.folder.Path() / name).string(); };
  ASSERT_TRUE(
      f.Open(NumericalTable(7, 4),
             {"-ClusteringAutomationRow", "-Ward", "-ExportTableInTextFile", out("Table.txt"),
              "-ExportRowTreeInNewickFile", out("rows.phy"), "-ExportColumnTreeInNewickFile",
              out("cols.phy"), "-ExportReportInTextFile", out("report.txt")}));
  RunAutomation(f.Doc(), true, true);
  EXPECT_FALSE(f.Doc().outputFailed);
  const std::string table = ReadFileText(out("Table.txt"));
  EXPECT_EQ(table.substr(0, 2), "T\t");
  const std::string newick = ReadFileText(out("rows.phy"));
  ASSERT_FALSE(newick.empty());
  EXPECT_EQ(newick.back(), ';');
  EXPECT_FALSE(std::filesystem::exists(out("cols.phy")));  // the columns have no tree
  // The tree's leaves appear in the order of the table's rows.
  const auto& order = f.Current().rowTree.order;
  size_t searchFrom = 0;
  for (int item : order) {
    const std::string label = "r" + std::to_string(item);
    const size_t at = newick.find(label + ":", searchFrom);
    ASSERT_NE(at, std::string::npos) << label;
    searchFrom = at;
    EXPECT_NE(table.find("\n" + label + "\t"), std::string::npos);
  }
  const std::string report = ReadFileText(out("report.txt"));
  EXPECT_EQ(report.substr(0, 7), "rows\tR=");
  EXPECT_NE(report.find("linkage=Ward's criteria"), std::string::npos);
  EXPECT_NE(report.find("size=7x4"), std::string::npos);
}

TEST(ScriptOutputs, UnwritableFileIsReportedAndFlagged) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(4, 3),
                     {"-ExportTableInTextFile", (f.folder.Path() / "no" / "t.txt").string()}));
  RunAutomation(f.Doc(), true, true);
  EXPECT_TRUE(f.Doc().outputFailed);
  ASSERT_EQ(f.services.messageBoxes.size(), 1u);
  EXPECT_NE(f.services.messageBoxes[0].find("t.txt"), std::string::npos);
}

TEST(Pipeline, TreeSeriationOrdersUnderTheDendrogramAndRecordsItsRules) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(9, 3), {"-TreeSeriationByTSP"}));
  ClusterSide(f.Current(), true);
  CViewModel& clustered = f.Current();
  const double before = clustered.rowTree.objectiveS;
  SeriateSide(clustered, true);
  ASSERT_EQ(f.ViewCount(), 3);
  const CTree& rows = f.Current().rowTree;
  EXPECT_LE(rows.objectiveS, before);
  EXPECT_EQ(rows.Node(rows.root).criterionMark, 4);
  EXPECT_EQ(clustered.rowTree.Node(clustered.rowTree.root).criterionMark, -1);
  std::vector<int> order = rows.order;
  std::sort(order.begin(), order.end());
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(Pipeline, RefusedTreeSeriationLeavesTheMarksAsTheyWere) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(9, 3), {"-TreeSeriationByTSP"}));
  ClusterSide(f.Current(), true);
  CTree& rows = f.Current().rowTree;
  // A group of three leaves or more below the root.
  int group = kNoNode;
  for (int v = 9; v < rows.root && group == kNoNode; ++v) {
    if (rows.Node(v).count >= 3) group = v;
  }
  ASSERT_NE(group, kNoNode);
  rows.selectedNode = group;
  rows.selectionStart = rows.Node(group).first;
  rows.selectionLength = rows.Node(group).count;
  ASSERT_TRUE(Aggregate(rows));
  rows.selectedNode = rows.root;
  rows.selectionStart = 0;
  rows.selectionLength = rows.count;
  rows.userSelection = true;  // work in place
  const std::vector<int> order = rows.order;
  SeriateSide(f.Current(), true);
  ASSERT_EQ(f.services.messageBoxes.size(), 1u);
  EXPECT_EQ(f.services.messageBoxes[0].substr(0, 34), "WARNING !\tSome leaves are grouped.");
  EXPECT_EQ(rows.order, order);
  EXPECT_EQ(rows.Node(rows.root).criterionMark, -1);
}

TEST(Pipeline, ATableOfCountsIsReportedWithTheChiSquareItIsComparedWith) {
  // Contingency tables always take the chi-square distance; the report, the picture and the
  // status bar name it, whatever measure the settings still hold.
  CDocumentFixture f;
  ASSERT_TRUE(f.Open("T\ta\tb\nr1\t1\t3\nr2\t2\t2\nr3\t4\t1\n", {"-Contingency", "-Euclidian"}));
  EXPECT_EQ(f.Doc().settings.Dissimilarity, EDissimilarity::kEuclidean);
  EXPECT_EQ(f.Doc().Measure(), EDissimilarity::kChiSquare);
  EXPECT_EQ(MakePictureInput(f.Current()).report.dissimilarity, EDissimilarity::kChiSquare);
  // Files read for a table of counts stay files.
  EXPECT_EQ(MeasureInForce(EDataType::kContingency, EDissimilarity::kFromFiles),
            EDissimilarity::kFromFiles);
  EXPECT_EQ(MeasureInForce(EDataType::kNumerical, EDissimilarity::kEuclidean),
            EDissimilarity::kEuclidean);
}
