// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "DocumentFixture.h"
#include "document/AnalystFiles.h"
#include "document/Pipeline.h"
#include "document/ViewCommands.h"
#include "tree/ClusterColors.h"
#include "tree/TreeCut.h"

namespace {

// Records the pictures asked for instead of drawing them.
class CRecordingExporter : public CPictureExporter {
 public:
  bool ExportToFile(CViewModel&, EExportFormat format, const std::string& path,
                    std::string* error) override {
    files.emplace_back(format, path);
    if (path == failingPath) {
      *error = "cannot write " + path;
      return false;
    }
    return true;
  }
  bool CopyToClipboard(CViewModel&, std::string*) override { return true; }
  std::vector<std::pair<EExportFormat, std::string>> files;
  std::string failingPath;
};

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

}  // namespace

TEST(TsvTable, DisplayOrderShortestValuesEmptyMissingCellsAndNoTrailingTab) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open("T\ta\tb\tc\nr1\t0.1\t\t1e-7\nr2\t2.5\t-3\t123456789.125\n"));
  CViewModel& view = f.Current();
  view.rowTree.order = {1, 0};
  view.columnTree.order = {2, 0, 1};
  std::vector<std::string> notices;
  EXPECT_EQ(FormatTsvTable(*f.Doc().data, view.rowTree, view.columnTree, &notices),
            "T\tc\ta\tb\n"
            "r2\t123456789.125\t2.5\t-3\n"
            "r1\t1e-07\t0.1\t\n");
  EXPECT_TRUE(notices.empty());
}

TEST(TsvTable, LabelsThatWouldBreakTheFormatOrBeMisreadAreCleanedQuotedOrNoticed) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open("T\ta\tb\nr1\t1\t2\nr2\t3\t4\nr3\t5\t6\n"));
  CData& data = *f.Doc().data;
  data.title = "";
  data.rowLabels = {"line\nbreak", "say \"hi\"", " padded"};
  data.columnLabels = {"x\ty", "x\ty"};
  std::vector<std::string> notices;
  CViewModel& view = f.Current();
  EXPECT_EQ(FormatTsvTable(data, view.rowTree, view.columnTree, &notices),
            "\tx y\tx y\n"
            "line break\t1\t2\n"
            "\"say \"\"hi\"\"\"\t3\t4\n"
            "\" padded\"\t5\t6\n");
  EXPECT_TRUE(Contains(notices, "written as blanks"));
  EXPECT_TRUE(Contains(notices, "pandas renames the repeats"));
  EXPECT_FALSE(Contains(notices, "refuses repeated row names"));

  data.rowLabels = {"NA", "r", "r"};
  data.columnLabels = {"", "b"};
  notices.clear();
  FormatTsvTable(data, view.rowTree, view.columnTree, &notices);
  EXPECT_TRUE(Contains(notices, "\"NA\" is read as a missing value"));
  EXPECT_TRUE(Contains(notices, "\"r\" appears more than once: R refuses"));
  EXPECT_TRUE(Contains(notices, "Unnamed"));
  EXPECT_EQ(TsvLabel("plain label"), "plain label");
  EXPECT_EQ(TsvLabel("trailing "), "\"trailing \"");
}

TEST(TreeCutCommand, TheAutomaticCutColoursTheClustersInTheirDisplayOrderAfterEachStep) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(9, 4), {"-Ward", "-AutomationRow", "-CutRowTree", "3"}));
  RunAutomation(f.Doc(), true, true);
  ASSERT_EQ(f.ViewCount(), 3);
  EXPECT_FALSE(HasCut(f.Doc().views[0]->rowTree));
  const std::vector<ColorRef> colors = ClusterColors(3);
  for (int v = 1; v < 3; ++v) {
    const CTree& rows = f.Doc().views[static_cast<size_t>(v)]->rowTree;
    ASSERT_TRUE(HasCut(rows)) << v;
    EXPECT_TRUE(rows.marksShown);
    EXPECT_EQ(std::set<int>(rows.marks.begin(), rows.marks.end()).size(), 3u);
    // The first cluster down the display order wears the first colour.
    EXPECT_EQ(static_cast<ColorRef>(rows.marks[static_cast<size_t>(rows.order[0])]), colors[0]);
    EXPECT_EQ(static_cast<ColorRef>(rows.marks[static_cast<size_t>(rows.order.back())]), colors[2]);
  }
  EXPECT_FALSE(f.Current().columnTree.marksShown) << "only the side asked for";
  EXPECT_TRUE(f.services.notices.empty());
}

TEST(TreeCutCommand, ACutOfOneClusterIsRefusedAndTooManyClustersAreSaid) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(5, 3), {"-Ward", "-ClusteringAutomationRow", "-CutRowTree", "1",
                                            "-ClusteringAutomationCol", "-CutColumnTree", "9"}));
  RunAutomation(f.Doc(), true, true);
  EXPECT_FALSE(HasCut(f.Current().rowTree));
  EXPECT_TRUE(Contains(f.services.notices, "at least 2 clusters: the rows are not cut"));
  ASSERT_TRUE(HasCut(f.Current().columnTree));
  EXPECT_TRUE(Contains(f.services.notices, "cut into 3 clusters"));
  // The desktop's command: by a height, on a side without a tree nothing happens.
  CDocumentFixture g;
  ASSERT_TRUE(g.Open(NumericalTable(5, 3)));
  EXPECT_EQ(CutSideTree(g.Current(), true, {0, 1.0}), 0);
  EXPECT_FALSE(g.Current().rowTree.marksShown);
}

TEST(TreeCutCommand, ClustersFilesFollowTheNewestWindowAndSaySoWithoutACut) {
  CDocumentFixture f;
  const std::string rows = (f.folder.Path() / "rows.txt").string();
  const std::string columns = (f.folder.Path() / "columns.txt").string();
  ASSERT_TRUE(f.Open(NumericalTable(6, 3),
                     {"-Ward", "-AutomationRow", "-CutRowTree", "2", "-ExportRowClustersInTextFile",
                      rows, "-ExportColumnClustersInTextFile", columns}));
  RunAutomation(f.Doc(), true, true);
  EXPECT_FALSE(f.Doc().outputFailed);
  const CTree& tree = f.Current().rowTree;
  const std::string text = ReadFileText(rows);
  EXPECT_EQ(text, FormatClusterMemberships(tree));
  EXPECT_EQ(text.substr(0, 14), "label\tcluster\n");
  EXPECT_NE(text.find("r" + std::to_string(tree.order[0]) + "\t1\n"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7);
  EXPECT_FALSE(std::filesystem::exists(columns));
  EXPECT_TRUE(Contains(f.services.notices, "columns' dendrogram was not cut"));

  const std::string saved = (f.folder.Path() / "saved.txt").string();
  std::string error;
  EXPECT_TRUE(SaveTreeClusters(f.Current(), true, saved, &error)) << error;
  EXPECT_EQ(ReadFileText(saved), text);
  EXPECT_FALSE(SaveTreeClusters(f.Current(), false, saved, &error));
}

TEST(FurtherPictures, WrittenAfterTheFirstExportOnlyAfterAnAutomaticStep) {
  for (const bool automation : {true, false}) {
    CDocumentFixture f;
    CRecordingExporter exporter;
    const std::string png = f.folder.Path().string() + "/a.v1.png";
    const std::string jpeg = f.folder.Path().string() + "/b.v1";
    std::vector<std::string> keywords{"-ExportScreenInPngFile", png, "-ExportScreenInJpegFile",
                                      jpeg};
    if (automation) keywords.insert(keywords.begin(), "-ClusteringAutomationRow");
    ASSERT_TRUE(f.Open(NumericalTable(4, 3), keywords));
    f.Doc().exporter = &exporter;
    RunAutomation(f.Doc(), true, true);
    if (!automation) {
      EXPECT_TRUE(exporter.files.empty());
      continue;
    }
    using V = std::vector<std::pair<EExportFormat, std::string>>;
    EXPECT_EQ(exporter.files, (V{{EExportFormat::kJpeg, f.folder.Path().string() + "/b.jpg"},
                                 {EExportFormat::kPng, png}}));
  }
}

TEST(FurtherPictures, AFailureIsShownAndMarksTheRunFailed) {
  CDocumentFixture f;
  CRecordingExporter exporter;
  exporter.failingPath = f.folder.Path().string() + "/a.svg";
  ASSERT_TRUE(f.Open(NumericalTable(4, 3),
                     {"-ClusteringAutomationRow", "-ExportScreenInSvgFile", exporter.failingPath,
                      "-ExportScreenInPdfFile", f.folder.Path().string() + "/b.pdf"}));
  f.Doc().exporter = &exporter;
  RunAutomation(f.Doc(), true, true);
  EXPECT_EQ(exporter.files.size(), 2u);
  EXPECT_TRUE(f.Doc().outputFailed);
  EXPECT_TRUE(Contains(f.services.messageBoxes, "cannot write"));
}

TEST(ExportName, TheDesktopGivesAWholeNameKeptOnlyToTheFormatItWasGivenFor) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(4, 3), {"-ExportScreenInJpegFile", "/tmp/pic.v1.jpg"}));
  EXPECT_EQ(CommandLineExportName(f.Doc(), *FindExportFormat(EExportFormat::kSvg)), "/tmp/pic.svg");
  EXPECT_EQ(CommandLineExportName(f.Doc(), *FindExportFormat(EExportFormat::kBmp)), "/tmp/pic.bmp");
  CDocumentFixture g;
  ASSERT_TRUE(g.Open(NumericalTable(4, 3), {"-ExportScreenInSvgFile", "/tmp/pic.v1.svg"}));
  EXPECT_EQ(CommandLineExportName(g.Doc(), *FindExportFormat(EExportFormat::kSvg)),
            "/tmp/pic.v1.svg");
}
