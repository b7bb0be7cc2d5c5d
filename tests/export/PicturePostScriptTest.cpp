#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "TestFiles.h"
#include "data/Data.h"
#include "export/PicturePostScript.h"
#include "render/HeatMapPicture.h"
#include "render/TextMeasurer.h"
#include "settings/DisplaySettings.h"
#include "tree/Tree.h"

namespace {

class CFixedMeasurer : public CTextMeasurer {
 public:
  CSize TextExtent(const CFont& font, std::string_view text) const override {
    return {static_cast<int>(text.size()) * 6, font.Size() > 0 ? font.Size() : 14};
  }
};

CNode Merge(int index, int left, int right, double height, int count) {
  CNode node;
  node.index = index, node.left = left, node.right = right;
  node.height = height, node.count = count, node.expanded = true;
  return node;
}

// A 3 × 2 table with a row dendrogram, a partial row selection, the top frame and the scale.
struct CSmallPicture {
  CSmallPicture() {
    data.Allocate(3, 2);
    const double values[3][2] = {{-2, 1}, {0, 4}, {3, -99999}};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 2; ++j)
        data.At(i, j) = values[i][j];
    data.rowLabels = {"alpha", "b(e)ta", "gamma"};
    data.columnLabels = {"x", "y\xc3\xa9"};
    data.maxRowLabelLength = 6;
    data.maxColumnLabelLength = 2;
    data.maxValue = 4;
    data.minValue = -2;
    rows.Initialize(3, nullptr, &data.rowLabels, {});
    columns.Initialize(2, nullptr, &data.columnLabels, {});
    rows.nodes.assign(3, CNode{});
    for (int k = 0; k < 3; ++k) {
      rows.nodes[k].index = rows.nodes[k].left = k;
      rows.nodes[k].count = 1;
    }
    rows.nodes.push_back(Merge(3, 0, 1, 1.0, 2));
    rows.nodes.push_back(Merge(4, 3, 2, 2.5, 3));
    rows.root = 4;
    rows.rootHeight = 2.5;
    rows.hasTree = true;
    rows.RebuildOrder(rows.root);
    rows.userSelection = true;
    rows.selectionStart = 1;
    rows.selectionLength = 1;
    display.m_intNumberOfNuances = 9;
    DeriveColorSwitches(display);
  }
  CPictureInput Input() {
    CPictureInput input;
    input.data = &data;
    input.rows = &rows;
    input.columns = &columns;
    input.display = &display;
    input.report.rows = {0.5, 12.25, true, ELinkage::kWard, -1, -3};
    input.report.columns = {0.25, 3.0, false, ChoiceOf<ELinkage>(-1), -1, 0};
    return input;
  }
  CData data;
  CTree rows;
  CTree columns;
  DisplaySettings display;
};

}  // namespace

TEST(PicturePostScript, SmallPictureMatchesTheGoldenFile) {
  CSmallPicture small;
  CHeatMapPicture picture(small.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  CTempDir folder;
  const std::string path = (folder.Path() / "small.ps").string();
  std::string error;
  ASSERT_TRUE(WritePicturePostScript(picture, path, &error)) << error;
  const std::string golden = SourcePath("tests/export/golden/small_picture.ps");
  if (std::getenv("QUORVEL_UPDATE_GOLDEN")) {
    std::ofstream(golden, std::ios::binary) << ReadFileText(path);
  }
  EXPECT_EQ(ReadFileText(path), ReadFileText(golden));
  if (std::system("command -v gs > /dev/null 2>&1") == 0) {
    const std::string command =
        "gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=nullpage '" + path + "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }
}

TEST(PicturePostScript, UnwritableFolderReportsAndWritesNothing) {
  CSmallPicture small;
  CHeatMapPicture picture(small.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  std::string error;
  EXPECT_FALSE(WritePicturePostScript(picture, "/nonexistent-folder/x.ps", &error));
  EXPECT_NE(error.find("/nonexistent-folder/x.ps"), std::string::npos);
}
