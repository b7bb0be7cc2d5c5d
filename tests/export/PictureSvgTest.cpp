// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "SmallPicture.h"
#include "SvgReader.h"
#include "TestFiles.h"
#include "data/Annotations.h"
#include "data/Data.h"
#include "export/PictureSvg.h"
#include "render/HeatMapPicture.h"
#include "render/TextMeasurer.h"
#include "settings/DisplaySettings.h"
#include "tree/Tree.h"

namespace {

// Row labels that need escaping in XML, one with a control character.
const std::vector<std::string> kRowLabels{"a<b", "R&D \"x\"", "bell\x07"};

struct CWritten {
  std::string text;
  CSvgReading reading;
};

CWritten WriteSmall(CHeatMapPicture& picture, const CTextMeasurer& measurer) {
  CTempDir folder;
  const std::string path = (folder.Path() / "small.svg").string();
  std::string error;
  EXPECT_TRUE(WritePictureSvg(picture, path, &measurer, &error)) << error;
  CWritten written;
  written.text = ReadFileText(path);
  written.reading = ReadSvg(written.text);
  return written;
}

const CSvgElement* TextElement(const CSvgReading& reading, const std::string& text) {
  for (const CSvgElement& element : reading.elements) {
    if (element.name == "text" && element.text == text) return &element;
  }
  return nullptr;
}

}  // namespace

TEST(PictureSvg, HoldsOneRectanglePerCellAndTheKnownOthers) {
  CSmallPicture small(kRowLabels);
  CHeatMapPicture picture(small.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  const CWritten written = WriteSmall(picture, measurer);
  const CSvgReading& svg = written.reading;
  ASSERT_TRUE(svg.wellFormed) << svg.error;
  const CSvgElement& root = svg.elements.front();
  const CSize size = picture.PictureSize();
  EXPECT_EQ(root.Attribute("viewBox"),
            "0 0 " + std::to_string(size.cx) + " " + std::to_string(size.cy));
  EXPECT_EQ(root.Attribute("width"), std::to_string(size.cx));
  EXPECT_EQ(root.Attribute("height"), std::to_string(size.cy));
  // Six cells (the missing value has its colour too); outside them the background and the 512
  // steps of the colour scale.
  EXPECT_EQ(svg.CountInGroup("rect", "cells"), 6);
  EXPECT_EQ(svg.Count("rect"), 6 + 1 + 512);
  // The background is the first thing drawn and covers the picture.
  const auto background = std::find_if(svg.elements.begin(), svg.elements.end(),
                                       [](const CSvgElement& e) { return e.name == "rect"; });
  EXPECT_EQ(background->Attribute("width"), std::to_string(size.cx));
  EXPECT_EQ(background->Attribute("fill"), "#ffffff");
  // Four lines per merge of the row tree, two selection lines, the double rule under the scale.
  EXPECT_EQ(svg.Count("line"), 2 * 3 + 2 + 2);
}

TEST(PictureSvg, LabelsAreEscapedAndLandWhereTheScreenWritesThem) {
  CSmallPicture small(kRowLabels);
  CHeatMapPicture picture(small.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  const CSvgReading svg = WriteSmall(picture, measurer).reading;
  ASSERT_TRUE(svg.wellFormed) << svg.error;
  // Row labels read back as written, the control character replaced.
  const CSvgElement* first = TextElement(svg, "a<b");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(TextElement(svg, "R&D \"x\""), nullptr);
  ASSERT_NE(TextElement(svg, "bell\xEF\xBF\xBD"), nullptr);
  // Left-aligned at the zone's left, top at (start + end − 1 − height) / 2 in the row, placed
  // by the baseline: the measurer's ascent (4/5 of the 12-high label font) below the top.
  const CRect zone = picture.Zone(EPictureZone::kRowLabels);
  const int row = 0;  // "a<b" is the first row shown
  ASSERT_EQ(small.rows.order[0], row);
  const int top =
      (picture.RowBounds().starts[0] + picture.RowBounds().ends[0] - 1 - 12) / 2 + zone.top;
  EXPECT_EQ(first->Attribute("x"), std::to_string(zone.left));
  EXPECT_EQ(first->Attribute("y"), std::to_string(top + 12 * 4 / 5));
  EXPECT_EQ(first->Attribute("text-anchor"), "");
  // Column labels stand one letter per line, centred on their column: "yé" as "y" over "é",
  // one step (trunc(0.88 × 12) = 10) apart, the last one a step above the zone's bottom.
  const CRect columns = picture.Zone(EPictureZone::kColumnLabels);
  const CSvgElement* y = TextElement(svg, "y");
  const CSvgElement* e = TextElement(svg, "\xc3\xa9");
  ASSERT_NE(y, nullptr);
  ASSERT_NE(e, nullptr);
  const int middle =
      columns.left + (picture.ColumnBounds().starts[1] + picture.ColumnBounds().ends[1]) / 2;
  EXPECT_EQ(y->Attribute("x"), std::to_string(middle));
  EXPECT_EQ(e->Attribute("x"), std::to_string(middle));
  EXPECT_EQ(y->Attribute("text-anchor"), "middle");
  EXPECT_EQ(std::stoi(e->Attribute("y")) - std::stoi(y->Attribute("y")), 10);
  EXPECT_EQ(std::stoi(e->Attribute("y")), columns.bottom - 10 + 12 * 4 / 5);
  // The legend's Max is right-aligned.
  bool maxIsRightAligned = false;
  for (const CSvgElement& element : svg.elements) {
    if (element.name == "text" && element.text.rfind("Max", 0) == 0) {
      maxIsRightAligned = element.Attribute("text-anchor") == "end";
    }
  }
  EXPECT_TRUE(maxIsRightAligned);
}

TEST(PictureSvg, TheFileShowsAtTheZoomedSizeOverTheSameViewBox) {
  CSmallPicture small(kRowLabels);
  CPictureInput input = small.Input();
  input.zoom = 2.0;
  CHeatMapPicture picture(input);
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  const CSvgReading svg = WriteSmall(picture, measurer).reading;
  ASSERT_TRUE(svg.wellFormed) << svg.error;
  const CSize size = picture.PictureSize();
  const CSvgElement& root = svg.elements.front();
  EXPECT_EQ(root.Attribute("viewBox"),
            "0 0 " + std::to_string(size.cx) + " " + std::to_string(size.cy));
  EXPECT_EQ(root.Attribute("width"), std::to_string(2 * size.cx));
  EXPECT_EQ(root.Attribute("height"), std::to_string(2 * size.cy));
}

// Regenerate with QUORVEL_UPDATE_GOLDEN=1, then look at the picture:
// rsvg-convert tests/export/golden/small_picture.svg -o /tmp/small.png
TEST(PictureSvg, SmallPictureMatchesTheGoldenFile) {
  CSmallPicture small(kRowLabels);
  CHeatMapPicture picture(small.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  const std::string text = WriteSmall(picture, measurer).text;
  const std::string golden = SourcePath("tests/export/golden/small_picture.svg");
  if (std::getenv("QUORVEL_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << text;
  // Compared whole, reported briefly: the file is long.
  const std::string expected = ReadFileText(golden);
  EXPECT_TRUE(text == expected) << "differs from " << golden << " (" << text.size()
                                << " bytes against " << expected.size() << ")";
}

// Both sides annotated: a category strip and a number strip right of the rows (one row without
// a value), a category strip above the columns, and the legend below. Regenerate and look at it
// as above (golden/annotated_picture.svg).
TEST(PictureSvg, AnnotatedSmallPictureMatchesTheGoldenFile) {
  CSmallPicture small(kRowLabels);
  CAnnotationTable rowTable;
  rowTable.fileName = "rows.txt";
  rowTable.names = {"group", "age"};
  rowTable.labels = {"a<b", "R&D \"x\""};
  rowTable.cells = {{"first", "2.5"}, {"second", "40"}};
  CAnnotationTable columnTable;
  columnTable.fileName = "columns.txt";
  columnTable.names = {"kind"};
  columnTable.labels = {"x", "y\xc3\xa9"};
  columnTable.cells = {{"measured"}, {"derived"}};
  const CSideAnnotations rows = MatchAnnotations(rowTable, small.data.rowLabels);
  const CSideAnnotations columns = MatchAnnotations(columnTable, small.data.columnLabels);
  CPictureInput input = small.Input();
  input.rowAnnotations = &rows;
  input.columnAnnotations = &columns;
  CHeatMapPicture picture(input);
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  const CWritten written = WriteSmall(picture, measurer);
  ASSERT_TRUE(written.reading.wellFormed) << written.reading.error;
  EXPECT_NE(TextElement(written.reading, "no value"), nullptr);
  const std::string golden = SourcePath("tests/export/golden/annotated_picture.svg");
  if (std::getenv("QUORVEL_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << written.text;
  EXPECT_TRUE(written.text == ReadFileText(golden)) << "differs from " << golden;
}
