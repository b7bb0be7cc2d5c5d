// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "SvgReader.h"
#include "TestFiles.h"
#include "base/AtomicFile.h"
#include "export/SvgDC.h"
#include "export/SvgFile.h"
#include "export/SvgText.h"
#include "render/TextMeasurer.h"

namespace {

// Text 7 units per byte wide, lines 1.25 × the font size high with the baseline at the size.
class CRulerMeasurer : public CTextMeasurer {
 public:
  CSize TextExtent(const CFont& font, std::string_view text) const override {
    return {static_cast<int>(text.size()) * 7, font.Size() * 5 / 4};
  }
  int Ascent(const CFont& font) const override { return font.Size(); }
};

// A finished in-memory device read back.
CSvgReading Finished(CSvgDC& device) {
  device.Finish();
  return ReadSvg(device.Text());
}

// The elements named `name`, in order.
std::vector<CSvgElement> Elements(const CSvgReading& reading, std::string_view name) {
  std::vector<CSvgElement> found;
  for (const CSvgElement& element : reading.elements) {
    if (element.name == name) found.push_back(element);
  }
  return found;
}

// x1 y1 x2 y2 of a <line>, as written.
std::array<std::string, 4> Ends(const CSvgElement& line) {
  return {line.Attribute("x1"), line.Attribute("y1"), line.Attribute("x2"), line.Attribute("y2")};
}

}  // namespace

// --- Text ------------------------------------------------------------------------------------

TEST(SvgText, EscapesMarkupAndReplacesWhatXmlForbids) {
  EXPECT_EQ(SvgText("a<b>&\"c'"), "a&lt;b&gt;&amp;&quot;c&apos;");
  // Tab, line feed and carriage return are XML characters; other controls are not.
  EXPECT_EQ(SvgText("x\ty\n"), "x\ty\n");
  EXPECT_EQ(SvgText(std::string("a\0b\x01\x1f", 5)),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD\xEF\xBF\xBD");
  // U+FFFE and U+FFFF are valid UTF-8 but not XML characters.
  EXPECT_EQ(SvgText("\xEF\xBF\xBE\xEF\xBF\xBF"), "\xEF\xBF\xBD\xEF\xBF\xBD");
  // Valid UTF-8 stays as it is, astral planes included.
  EXPECT_EQ(SvgText("y\xC3\xA9 \xF0\x9F\x8C\xB3"), "y\xC3\xA9 \xF0\x9F\x8C\xB3");
}

TEST(SvgText, ReadsInvalidUtf8AsLatin1) {
  // "café" in Latin-1 (and a lone continuation byte) becomes UTF-8.
  EXPECT_EQ(SvgText("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(SvgText("\x80"), "\xC2\x80");
}

// --- Document --------------------------------------------------------------------------------

TEST(SvgDevice, AnEmptyPictureIsAWellFormedSvgOfItsSize) {
  CSvgDC device({300, 200}, {600, 400}, nullptr);
  const CSvgReading reading = Finished(device);
  ASSERT_TRUE(reading.wellFormed) << reading.error;
  ASSERT_EQ(reading.elements.size(), 1u);
  const CSvgElement& root = reading.elements[0];
  EXPECT_EQ(root.name, "svg");
  EXPECT_EQ(root.Attribute("xmlns"), "http://www.w3.org/2000/svg");
  EXPECT_EQ(root.Attribute("viewBox"), "0 0 300 200");
  EXPECT_EQ(root.Attribute("width"), "600");
  EXPECT_EQ(root.Attribute("height"), "400");
  EXPECT_FALSE(device.IsPrinting()) << "the picture keeps the screen's background";
}

// --- Fills -----------------------------------------------------------------------------------

TEST(SvgDevice, FillsAreRectanglesOfTheirColourWithRedInTheLowByte) {
  CSvgDC device({100, 100}, {100, 100}, nullptr);
  device.FillSolidRect(CRect{30, 40, 10, 20}, Rgb(0x12, 0xAB, 0xF0));  // reversed corners
  device.FillSolidRect(5, 6, 7, 8, Rgb(255, 0, 0));
  device.FillSolidRect(CRect{5, 5, 5, 9}, Rgb(0, 0, 0));  // empty: nothing
  const CSvgReading reading = Finished(device);
  ASSERT_TRUE(reading.wellFormed) << reading.error;
  const auto rects = Elements(reading, "rect");
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].attributes,
            (std::map<std::string, std::string>{
                {"x", "10"}, {"y", "20"}, {"width", "20"}, {"height", "20"}, {"fill", "#12abf0"}}));
  // The size form is not mirrored as on the PostScript page: (x, y) to (x + cx, y + cy).
  EXPECT_EQ(rects[1].Attribute("x"), "5");
  EXPECT_EQ(rects[1].Attribute("y"), "6");
  EXPECT_EQ(rects[1].Attribute("width"), "7");
  EXPECT_EQ(rects[1].Attribute("height"), "8");
  EXPECT_EQ(rects[1].Attribute("fill"), "#ff0000");
}

TEST(SvgDevice, ACellBlockIsOneRectanglePerPaintedCellInTheCellsGroup) {
  CSvgDC device({100, 100}, {100, 100}, nullptr);
  const std::vector<int> xStarts{10, 13, 16}, xEnds{13, 16, 16};  // the last column is empty
  const std::vector<int> yStarts{20, 22}, yEnds{22, 24};
  const std::vector<ColorRef> colors{Rgb(1, 0, 0), CDevice::kUnpaintedCell,
                                     Rgb(3, 0, 0), Rgb(4, 0, 0),
                                     Rgb(5, 0, 0), Rgb(6, 0, 0)};
  EXPECT_TRUE(device.DrawCellBlock(xStarts, xEnds, yStarts, yEnds, colors));
  device.FillSolidRect(CRect{0, 0, 1, 1}, Rgb(9, 9, 9));
  const CSvgReading reading = Finished(device);
  ASSERT_TRUE(reading.wellFormed) << reading.error;
  EXPECT_EQ(reading.CountInGroup("rect", "cells"), 3);
  EXPECT_EQ(reading.CountInGroup("rect", ""), 1) << "later fills are outside the cells group";
  // Columns outside, rows inside, as the same cells filled one by one.
  const auto rects = Elements(reading, "rect");
  EXPECT_EQ(rects[0].Attribute("fill"), "#010000");
  EXPECT_EQ(rects[1].Attribute("fill"), "#040000");
  EXPECT_EQ(rects[2].Attribute("fill"), "#050000");
  EXPECT_EQ(rects[2].Attribute("x"), "13");
  EXPECT_EQ(rects[2].Attribute("y"), "22");
}

// --- Lines -----------------------------------------------------------------------------------

TEST(SvgDevice, ThinLinesCoverThePixelsTheScreenDrawsUpToTheirEnd) {
  CSvgDC device({100, 100}, {100, 100}, nullptr);
  const CPen pen{Rgb(0, 0, 255), 1, CPenStyle::kSolid};
  device.SelectPen(&pen);
  device.DrawLine(10, 20, 30, 20);  // pixels 10 … 29 of row 20
  device.DrawLine(30, 20, 10, 20);  // pixels 11 … 30: the end point is left out
  device.DrawLine(CPoint{5, 8}, CPoint{5, 2});
  device.DrawLine(4, 4, 4, 4);  // nothing
  device.DrawLine(0, 0, 3, 3);  // between pixel centres
  const CSvgReading reading = Finished(device);
  ASSERT_TRUE(reading.wellFormed) << reading.error;
  const auto lines = Elements(reading, "line");
  ASSERT_EQ(lines.size(), 4u);
  using Ends4 = std::array<std::string, 4>;
  EXPECT_EQ(Ends(lines[0]), (Ends4{"10", "20.5", "30", "20.5"}));
  EXPECT_EQ(Ends(lines[1]), (Ends4{"11", "20.5", "31", "20.5"}));
  EXPECT_EQ(Ends(lines[2]), (Ends4{"5.5", "3", "5.5", "9"}));
  EXPECT_EQ(Ends(lines[3]), (Ends4{"0.5", "0.5", "3.5", "3.5"}));
  // One group carries the pen for all of them.
  const auto groups = Elements(reading, "g");
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].Attribute("stroke"), "#0000ff");
  EXPECT_EQ(groups[0].Attribute("stroke-width"), "1");
  EXPECT_EQ(groups[0].Attribute("fill"), "none");
}

TEST(SvgDevice, WideLinesAreCentredBandsWithSquareEndsAndPensChangeTheGroup) {
  CSvgDC device({100, 100}, {100, 100}, nullptr);
  const CPen two{Rgb(255, 0, 0), 2, CPenStyle::kSolid};
  const CPen three{Rgb(0, 0, 0), 3, CPenStyle::kDash};
  device.SelectPen(&two);
  device.DrawLine(10, 20, 30, 20);  // rows 19 and 20, pixels 9 … 30
  device.SelectPen(&three);
  device.MoveTo(10, 10);
  device.LineTo(10, 40);  // dashed: between pixel centres
  const CSvgReading reading = Finished(device);
  ASSERT_TRUE(reading.wellFormed) << reading.error;
  const auto lines = Elements(reading, "line");
  ASSERT_EQ(lines.size(), 2u);
  using Ends4 = std::array<std::string, 4>;
  EXPECT_EQ(Ends(lines[0]), (Ends4{"9", "20", "31", "20"}));
  EXPECT_EQ(Ends(lines[1]), (Ends4{"10.5", "10.5", "10.5", "40.5"}));
  const auto groups = Elements(reading, "g");
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].Attribute("stroke-width"), "2");
  EXPECT_EQ(groups[1].Attribute("stroke-width"), "3");
  EXPECT_EQ(groups[1].Attribute("stroke-dasharray"), "12 6");
}

TEST(SvgDevice, ARectangleOutlineIsItsFourSidesAsOnTheScreen) {
  CSvgDC device({100, 100}, {100, 100}, nullptr);
  device.DrawRectangle(CRect{10, 20, 15, 30});
  const CSvgReading reading = Finished(device);
  const auto lines = Elements(reading, "line");
  ASSERT_EQ(lines.size(), 4u);
  using Ends4 = std::array<std::string, 4>;
  EXPECT_EQ(Ends(lines[0]), (Ends4{"10", "20.5", "15", "20.5"}));
  EXPECT_EQ(Ends(lines[1]), (Ends4{"15.5", "20", "15.5", "30"}));
  EXPECT_EQ(Ends(lines[2]), (Ends4{"11", "30.5", "16", "30.5"}));
  EXPECT_EQ(Ends(lines[3]), (Ends4{"10.5", "21", "10.5", "31"}));
}

// --- Text ------------------------------------------------------------------------------------

TEST(SvgDevice, TextIsPlacedByItsBaselineAndAnchoredByTheAlignment) {
  CRulerMeasurer measurer;
  CSvgDC device({400, 400}, {400, 400}, &measurer);
  const CFont font{"", 16, kFontWeightBold, true};
  device.SelectFont(&font);
  EXPECT_EQ(device.GetTextExtent("abc"), (CSize{21, 20})) << "measured like the layout";
  device.SetTextColor(Rgb(0, 128, 255));
  device.SetTextAlign(kAlignLeft | kAlignTop);
  device.TextOut(10, 100, "top", true);  // the indent is the PostScript page's, not ours
  EXPECT_EQ(device.SetTextAlign(kAlignCentre), kAlignLeft | kAlignTop);
  device.TextOut(50, 100, "mid", false);
  device.SetTextAlign(kAlignRight | kAlignBottom);
  device.TextOut(90, 100, "end", false);
  device.SetTextAlign(kAlignBaseline);
  device.TextOut(90, 100, "base", false);
  device.TextOut(90, 100, "", false);  // nothing
  const CSvgReading reading = Finished(device);
  ASSERT_TRUE(reading.wellFormed) << reading.error;
  const auto texts = Elements(reading, "text");
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0].text, "top");
  EXPECT_EQ(texts[0].Attribute("x"), "10");
  EXPECT_EQ(texts[0].Attribute("y"), "116") << "top: the ascent below the point";
  EXPECT_EQ(texts[0].Attribute("text-anchor"), "");
  EXPECT_EQ(texts[1].Attribute("text-anchor"), "middle");
  EXPECT_EQ(texts[2].Attribute("text-anchor"), "end");
  EXPECT_EQ(texts[2].Attribute("y"), "96") << "bottom: the descent (20 − 16) above the point";
  EXPECT_EQ(texts[3].Attribute("y"), "100");
  // The four share one group with the font and the colour.
  const auto groups = Elements(reading, "g");
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].Attribute("font-family"), "'DejaVu Sans', 'WenQuanYi Micro Hei', sans-serif");
  EXPECT_EQ(groups[0].Attribute("font-size"), "16");
  EXPECT_EQ(groups[0].Attribute("font-weight"), "700");
  EXPECT_EQ(groups[0].Attribute("font-style"), "italic");
  EXPECT_EQ(groups[0].Attribute("fill"), "#0080ff");
}

TEST(SvgDevice, FontsAndColoursOpenNewGroupsAndNegativeHeightsDrawAtTheirSize) {
  CSvgDC device({400, 400}, {400, 400}, nullptr);
  const CFont times{kTextFontFace, -14};
  const CFont odd{"My \"Font\"'s", 10};
  device.SelectFont(&times);
  device.TextOut(0, 0, "a", false);
  device.SetTextColor(Rgb(255, 255, 255));
  device.TextOut(0, 0, "b", false);
  device.SelectFont(&odd);
  device.TextOut(0, 0, "c", false);
  const CSvgReading reading = Finished(device);
  ASSERT_TRUE(reading.wellFormed) << reading.error;
  const auto groups = Elements(reading, "g");
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[0].Attribute("font-family"),
            "Times, 'Times New Roman', 'WenQuanYi Micro Hei', serif");
  EXPECT_EQ(groups[0].Attribute("font-size"), "14");
  EXPECT_EQ(groups[0].Attribute("font-weight"), "400");
  EXPECT_EQ(groups[0].Attribute("fill"), "#000000");
  EXPECT_EQ(groups[1].Attribute("fill"), "#ffffff");
  EXPECT_EQ(groups[2].Attribute("font-family"), "'My Fonts', 'WenQuanYi Micro Hei', sans-serif");
}

TEST(SvgDevice, AnyLabelKeepsTheFileWellFormedAndReadsBackAsWritten) {
  CSvgDC device({100, 100}, {100, 100}, nullptr);
  const std::string labels[] = {"<tag> & \"quoted\" 'single'", "]]> <!-- -->",
                                std::string("nul\0here", 8), "bell\x07", "  two  spaces "};
  for (const std::string& label : labels)
    device.TextOut(1, 1, label, false);
  const CSvgReading reading = Finished(device);
  ASSERT_TRUE(reading.wellFormed) << reading.error << "\n" << device.Text();
  const std::vector<std::string> expected = {"<tag> & \"quoted\" 'single'", "]]> <!-- -->",
                                             "nul\xEF\xBF\xBDhere", "bell\xEF\xBF\xBD",
                                             "  two  spaces "};
  EXPECT_EQ(reading.Texts(), expected);
}

TEST(SvgDevice, TabbedTextPutsEachPieceAtItsStop) {
  CRulerMeasurer measurer;
  CSvgDC device({400, 400}, {400, 400}, &measurer);
  const CFont font{"", 12};
  device.SelectFont(&font);
  const int stops[] = {100};
  device.TabbedTextOut(10, 50, "ab\tcdef\tg", -1, 1, stops, 10);
  EXPECT_EQ(device.GetTabbedTextExtent("ab\tcd", -1, 1, stops), (CSize{114, 15}));
  const CSvgReading reading = Finished(device);
  const auto texts = Elements(reading, "text");
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].Attribute("x"), "10");
  EXPECT_EQ(texts[1].Attribute("x"), "110");
  EXPECT_EQ(texts[2].Attribute("x"), "210");
  EXPECT_EQ(texts[2].text, "g");
}

// --- Files -----------------------------------------------------------------------------------

TEST(SvgFile, StreamedTextEqualsTheTextKeptInMemory) {
  // About 4 MB of cells: several blocks go to the file before the end.
  const auto draw = [](CSvgDC& device) {
    for (int i = 0; i < 300; ++i) {
      std::vector<int> starts, ends;
      for (int j = 0; j < 250; ++j)
        starts.push_back(j), ends.push_back(j + 1);
      const std::vector<int> yStarts{i}, yEnds{i + 1};
      std::vector<ColorRef> colors;
      for (int j = 0; j < 250; ++j)
        colors.push_back(Rgb(static_cast<unsigned>(i), static_cast<unsigned>(j), 7));
      device.DrawCellBlock(starts, ends, yStarts, yEnds, colors);
      device.TextOut(0, i, "row " + std::to_string(i), false);
    }
  };
  CSvgDC memory({250, 300}, {250, 300}, nullptr);
  draw(memory);
  memory.Finish();
  CTempDir folder;
  const std::string path = (folder.Path() / "big.svg").string();
  std::string error;
  ASSERT_TRUE(WriteSvg(path, {250, 300}, {250, 300}, nullptr, draw, &error)) << error;
  const std::string written = ReadFileText(path);
  EXPECT_GT(written.size(), 3u << 20);
  EXPECT_EQ(written, memory.Text());
  const CSvgReading reading = ReadSvg(written);
  ASSERT_TRUE(reading.wellFormed) << reading.error;
  EXPECT_EQ(reading.CountInGroup("rect", "cells"), 300 * 250);
}

TEST(SvgFile, AFailedOpeningReportsTheFileAndLeavesNothing) {
  std::string error;
  EXPECT_FALSE(WriteSvg(
      "/nonexistent-folder/x.svg", {1, 1}, {1, 1}, nullptr, [](CSvgDC&) {}, &error));
  EXPECT_NE(error.find("Opening /nonexistent-folder/x.svg failed"), std::string::npos) << error;
}

TEST(SvgDevice, TurnedTextIsRotatedAboutItsPointWithTheGlyphsCentredAcrossIt) {
  CRulerMeasurer measurer;
  CSvgDC device({400, 400}, {400, 400}, &measurer);
  const CFont font{"", 16};
  device.SelectFont(&font);
  device.TextOutTurned(50, 300, "label <1>");
  device.TextOutTurned(60, 300, "");  // nothing
  const CSvgReading reading = Finished(device);
  ASSERT_TRUE(reading.wellFormed) << reading.error;
  const auto texts = Elements(reading, "text");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "label <1>");
  EXPECT_EQ(texts[0].Attribute("transform"), "rotate(-90 50 300)");
  EXPECT_EQ(texts[0].Attribute("x"), "50");
  // Ascent 16 and descent 20 − 16 = 4: the baseline (16 − 4) / 2 = 6 below the point, which
  // the turn puts 6 units right of x.
  EXPECT_EQ(texts[0].Attribute("y"), "306");
}
