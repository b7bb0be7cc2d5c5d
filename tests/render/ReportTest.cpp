// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "render/Report.h"

namespace {

CReportInput Analysed() {
  CReportInput input;
  input.rows = CReportSide{0.5, 12.25, true, ELinkage::kWard, 4, -3};
  input.columns = CReportSide{-0.1234, 3.0, false, ChoiceOf<ELinkage>(-1), -1, 0};
  return input;
}

}  // namespace

TEST(Report, BlocksOfAnAnalysedWindow) {
  CReport report;
  BuildReport(Analysed(), report);
  EXPECT_EQ(report.rows, (std::vector<std::string>{
                             "Rows :", "- Objective function : R=0.500",
                             "- Sum of all pairwise distances of neighboring rows (path length): "
                             "S=12.250 ",
                             "- Linkage rule:  Ward's criteria",
                             "- Tree Seriation rule:  Minimum path length (TSP)"}));
  EXPECT_EQ(report.columns.back(), "- Seriation rule:  Multiple-fragment heuristic (MF)");
  EXPECT_EQ(report.columns[1], "- Objective function : R=-0.123");
  EXPECT_EQ(report.dissimilarity,
            (std::vector<std::string>{"Dissimilarity :", "- Euclidean distance"}));
}

TEST(Report, NothingBeforeAnalysisAndRulesOnlyWithoutObjectives) {
  CReportInput input;
  CReport report;
  BuildReport(input, report);
  EXPECT_EQ(report.rows, std::vector<std::string>{"Rows :"});
  EXPECT_TRUE(report.dissimilarity.empty());

  input = Analysed();
  input.showObjectiveFunctions = false;
  BuildReport(input, report);
  EXPECT_EQ(report.rows.size(), 3u);
  EXPECT_EQ(report.rows[1], "- Linkage rule:  Ward's criteria");

  input.rows.treeSeriationCode = -1;
  input.rows.seriationCode = 2;
  BuildReport(input, report);
  EXPECT_EQ(report.rows.back(), "- Seriation rule:  Inertia around diagonal ");
}

TEST(Report, HiddenTopFrameKeepsThePreviousLists) {
  CReport report;
  BuildReport(Analysed(), report);
  CReportInput hidden;
  hidden.showTopFrame = false;
  BuildReport(hidden, report);
  EXPECT_EQ(report.rows.size(), 5u);
}

TEST(Report, MetricsAloneBringTheDissimilarityBlock) {
  CReportInput input;
  input.showMetrics = true;
  input.dissimilarity = EDissimilarity::kChiSquare;
  CReport report;
  BuildReport(input, report);
  EXPECT_EQ(report.dissimilarity[1], "- Chi-square distance");
}

TEST(Report, StatusBarTexts) {
  EXPECT_EQ(StatusTableSize(150, 4), " n=150 , p=4");
  EXPECT_EQ(StatusActiveSide(false), " Columns are active");
  EXPECT_EQ(StatusObjectives(0.456, 12.0, true), " R=0.46, S=12.00");
  EXPECT_EQ(StatusObjectives(0.456, 12.0, false), "");
  // An R that was not computed for the order is not shown as a value.
  EXPECT_EQ(StatusObjectives(0.0, 12.0, true, false), " R not computed, S=12.00");
}
