// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "document/ExportNames.h"
#include "document/Pipeline.h"
#include "settings/Choices.h"

// The name given with an export keyword becomes the export file after an automatic step.
TEST(ExportName, TheAddedFormatsKeepTheWholeNameWhileTheOlderFormatsCutItAtTheFirstPoint) {
  struct Case {
    const char* keyword;
    const char* given;
    const char* written;
  };
  for (const Case& c : {Case{"-ExportScreenInSvgFile", "plot.v2.svg", "plot.v2.svg"},
                        Case{"-ExportScreenInSvgFile", "plot", "plot"},
                        Case{"-ExportScreenInPngFile", "plot.v2.png", "plot.v2.png"},
                        Case{"-ExportScreenInPdfFile", "plot.v2", "plot.v2"},
                        Case{"-ExportScreenInJpegFile", "plot.v2.jpeg", "plot.jpg"},
                        Case{"-ExportScreenInPostScriptFile", "plot", "plot.ps"}}) {
    CDocumentFixture f;
    const std::string folder = f.folder.Path().string() + "/a.b/";
    ASSERT_TRUE(
        f.Open(NumericalTable(4, 3), {"-ClusteringAutomationRow", c.keyword, folder + c.given}));
    RunAutomation(f.Doc(), true, true);
    EXPECT_EQ(f.Doc().exportName, folder + c.written) << c.keyword << " " << c.given;
  }
}

TEST(ExportName, ANameTypedWithoutExtensionGetsTheFormatsAndAnotherFormatsExtensionIsRecognised) {
  const CExportFormat& png = *FindExportFormat(EExportFormat::kPng);
  EXPECT_EQ(CompletedExportName("/d/exp", png), "/d/exp.png");
  EXPECT_EQ(CompletedExportName("/d.v2/exp", png), "/d.v2/exp.png");
  EXPECT_EQ(CompletedExportName("/d/exp.jpg", png), "/d/exp.jpg");
  EXPECT_EQ(CompletedExportName("", png), "");

  const auto named = [](const char* path) {
    const CExportFormat* format = ExportFormatNamedBy(path);
    return format ? format->code : EExportFormat::kClipboard;
  };
  EXPECT_EQ(named("/d/e.bmp"), EExportFormat::kBmp);
  EXPECT_EQ(named("/d/e.PNG"), EExportFormat::kPng);
  EXPECT_EQ(named("/d/e.v2.pdf"), EExportFormat::kPdf);
  EXPECT_EQ(named("/d/e.eps"), EExportFormat::kPostScript);
  EXPECT_EQ(named("/d/e.ps"), EExportFormat::kPostScript);
  EXPECT_EQ(named("/d/e.jpg"), EExportFormat::kJpeg);
  EXPECT_EQ(named("/d/e.svg"), EExportFormat::kSvg);
  EXPECT_EQ(ExportFormatNamedBy("/d/e.txt"), nullptr);
  EXPECT_EQ(ExportFormatNamedBy("/d.png/e"), nullptr) << "a folder's point names no format";
  EXPECT_EQ(ExportFormatNamedBy("/d/.png"), nullptr);
}

TEST(ExportName, TheFirstProposalIsInTheDataFilesFolderThenInTheFolderUsedLast) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(4, 3), {}, "table.txt"));
  const CExportFormat& png = *FindExportFormat(EExportFormat::kPng);
  EXPECT_EQ(ProposedExportName(f.Doc(), png), (f.folder.Path() / "table.png").string());
  f.Doc().exportName = "/elsewhere/picture.bmp";
  EXPECT_EQ(ProposedExportName(f.Doc(), png), "/elsewhere/picture.png");
}
