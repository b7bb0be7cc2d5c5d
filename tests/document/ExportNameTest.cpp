#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "document/Pipeline.h"

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
