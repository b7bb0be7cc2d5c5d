// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "SmallPicture.h"
#include "TestFiles.h"
#include "data/Data.h"
#include "export/PicturePostScript.h"
#include "render/HeatMapPicture.h"
#include "render/TextMeasurer.h"
#include "settings/DisplaySettings.h"
#include "tree/Tree.h"

namespace {

// Row labels with the parentheses PostScript strings escape.
const std::vector<std::string> kRowLabels{"alpha", "b(e)ta", "gamma"};

// A table of `rows` rows named row-000, row-001, … and three columns, without trees.
struct CTallPicture {
  explicit CTallPicture(int rows) {
    data.Allocate(rows, 3);
    for (int i = 0; i < rows; ++i) {
      for (int j = 0; j < 3; ++j)
        data.At(i, j) = (i * 7 + j * 3) % 11 - 5;
      char name[16];
      std::snprintf(name, sizeof name, "row-%03d", i);
      data.rowLabels.push_back(name);
    }
    data.columnLabels = {"a", "b", "c"};
    data.maxRowLabelLength = 7;
    data.maxColumnLabelLength = 1;
    data.maxValue = 5;
    data.minValue = -5;
    this->rows.Initialize(rows, nullptr, &data.rowLabels, {});
    columns.Initialize(3, nullptr, &data.columnLabels, {});
    display.m_intNumberOfNuances = 9;
    DeriveColorSwitches(display);
  }
  CPictureInput Input() {
    CPictureInput input;
    input.data = &data;
    input.rows = &rows;
    input.columns = &columns;
    input.display = &display;
    return input;
  }
  CData data;
  CTree rows;
  CTree columns;
  DisplaySettings display;
};

// The written text of `picture` under `name` in a fresh folder.
std::string WrittenPostScript(CHeatMapPicture& picture, const std::string& name) {
  CTempDir folder;
  const std::string path = (folder.Path() / name).string();
  std::string error;
  EXPECT_TRUE(WritePicturePostScript(picture, path, &error)) << error;
  return ReadFileText(path);
}

// Where a text written as "/IX x def /IY y def (text) …show" lands on the page, in points.
struct CPlacedText {
  std::string text;
  double pageX;
  double pageY;
};

std::vector<CPlacedText> PlacedTexts(const std::string& postScript) {
  std::smatch match;
  const std::regex scaleLine(R"(\n([0-9.]+) [0-9.]+ scale\n)");
  EXPECT_TRUE(std::regex_search(postScript, match, scaleLine));
  const double scale = std::stod(match[1]);
  std::vector<CPlacedText> placed;
  const std::regex show(R"(/IX (-?[0-9]+) def /IY (-?[0-9]+) def \((.*)\) [a-z]+show)");
  for (auto it = std::sregex_iterator(postScript.begin(), postScript.end(), show);
       it != std::sregex_iterator(); ++it) {
    placed.push_back({(*it)[3], std::stoi((*it)[1]) * scale, 842 + std::stoi((*it)[2]) * scale});
  }
  return placed;
}

}  // namespace

TEST(PicturePostScript, ATallPictureFitsTheA4PageWithEveryRowLabel) {
  CTallPicture tall(150);
  CHeatMapPicture picture(tall.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  ASSERT_GT(picture.PictureSize().cy / 2, 842);  // at half scale it would leave the page
  const std::vector<CPlacedText> texts = PlacedTexts(WrittenPostScript(picture, "tall.ps"));
  int rowLabels = 0;
  for (const CPlacedText& text : texts) {
    EXPECT_GE(text.pageX, 0.0) << text.text;
    EXPECT_LE(text.pageX, 595.0) << text.text;
    EXPECT_GE(text.pageY, 0.0) << text.text;
    EXPECT_LE(text.pageY, 842.0) << text.text;
    if (text.text.rfind("row-", 0) == 0) ++rowLabels;
  }
  EXPECT_EQ(rowLabels, 150);
}

CRect BoundingBoxIn(const std::string& postScript) {
  const std::regex boxLine(R"(%%BoundingBox: (-?[0-9]+) (-?[0-9]+) (-?[0-9]+) (-?[0-9]+)\n)");
  std::smatch match;
  if (!std::regex_search(postScript, match, boxLine)) return {};
  return {std::stoi(match[1]), std::stoi(match[2]), std::stoi(match[3]), std::stoi(match[4])};
}

// What Ghostscript's bounding-box device finds inked, or an empty rectangle without it.
CRect InkedBox(const std::string& postScript, bool encapsulated) {
  if (std::system("command -v gs > /dev/null 2>&1") != 0) return {};
  CTempDir folder;
  const std::string path = folder.Write("picture.ps", postScript);
  const std::string command = std::string("gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=bbox ") +
                              (encapsulated ? "-dEPSCrop " : "") + "'" + path + "' 2>&1";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
      output += buffer;
    pclose(pipe);
  }
  return BoundingBoxIn(output);
}

TEST(PicturePostScript, TheBoundingBoxHoldsThePictureOnThePageOrAloneForEps) {
  CSmallPicture small(kRowLabels);
  CHeatMapPicture picture(small.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  const CSize size = picture.PictureSize();
  // The report's indented lines run 150 units beyond their place on the screen.
  const CSize extent = PostScriptPictureExtent(picture);
  EXPECT_GT(extent.cx, size.cx);
  EXPECT_GE(extent.cy, size.cy);

  const std::string page = WrittenPostScript(picture, "small.ps");
  const CRect pageBox = BoundingBoxIn(page);
  EXPECT_EQ(pageBox, (CRect{0, 842 - (extent.cy + 1) / 2, (extent.cx + 1) / 2, 842}));
  const std::string eps = WrittenPostScript(picture, "small.eps");
  ASSERT_EQ(eps.rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0), 0u);
  const CRect epsBox = BoundingBoxIn(eps);
  EXPECT_EQ(epsBox, (CRect{0, 0, extent.cx, extent.cy}));

  // Everything Ghostscript inks lies inside, and the box is not much larger than the ink.
  const auto expectHolds = [](const CRect& box, const CRect& ink, int slack) {
    if (ink.IsEmpty()) return;  // no Ghostscript
    EXPECT_GE(ink.left, box.left);
    EXPECT_GE(ink.top, box.top);
    EXPECT_LE(ink.right, box.right);
    EXPECT_LE(ink.bottom, box.bottom);
    EXPECT_LE(box.right - ink.right, slack);
  };
  expectHolds(pageBox, InkedBox(page, false), 6);
  expectHolds(epsBox, InkedBox(eps, true), 12);
}

// Regenerate with QUORVEL_UPDATE_GOLDEN=1, then render with Ghostscript and look at the pictures.
void ExpectGolden(const std::string& written, const std::string& name) {
  const std::string golden = SourcePath("tests/export/golden/" + name);
  if (std::getenv("QUORVEL_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << written;
  EXPECT_EQ(written, ReadFileText(golden)) << name;
}

TEST(PicturePostScript, TallPictureShrunkToThePageAndAsEpsMatchTheGoldenFiles) {
  CTallPicture tall(150);
  CHeatMapPicture picture(tall.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  ExpectGolden(WrittenPostScript(picture, "tall.ps"), "tall_picture.ps");
  CSmallPicture small(kRowLabels);
  CHeatMapPicture smallPicture(small.Input());
  smallPicture.RecomputeLayout(measurer);
  ExpectGolden(WrittenPostScript(smallPicture, "small.eps"), "small_picture.eps");
}

TEST(PicturePostScript, SmallPictureMatchesTheGoldenFile) {
  CSmallPicture small(kRowLabels);
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
  CSmallPicture small(kRowLabels);
  CHeatMapPicture picture(small.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  std::string error;
  EXPECT_FALSE(WritePicturePostScript(picture, "/nonexistent-folder/x.ps", &error));
  EXPECT_NE(error.find("/nonexistent-folder/x.ps"), std::string::npos);
}
