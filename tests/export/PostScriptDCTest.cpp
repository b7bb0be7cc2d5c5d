// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "TestFiles.h"
#include "base/AtomicFile.h"
#include "export/PostScriptDC.h"
#include "export/PostScriptFile.h"
#include "export/PostScriptText.h"

namespace {

constexpr std::string_view kPrologue =
    "%!PS-Adobe-3.0\n%%Creator: Quorvel\n%%BoundingBox: 0 0 595 842\n%%Pages: 1\n"
    "%%EndComments\n%%Page: 1 1\n"
    "<< /PageSize [595 842] >> setpagedevice\n"
    "0 842 translate\n\n"
    "0.500000 0.500000 scale\n\n"
    "/rightshow\n{dup stringwidth pop\nIX exch sub\nIY moveto\nshow} def\n\n"
    "/centshow\n{dup stringwidth pop\n2 div\nIX exch sub\nIY moveto\nshow} def\n\n"
    "/leftshow\n{IX IY moveto show} def\n\n";

constexpr std::string_view kRedLine = "1.00000000 0.00000000 0.00000000 setrgbcolor\n";
constexpr std::string_view kBlackLine = "0.00000000 0.00000000 0.00000000 setrgbcolor\n";
// The marker box of a text at (100, 50) in a 14-high font, left-aligned: 9 by 11 from (100, 50).
constexpr std::string_view kMarkerAt100 =
    "0.99607843 0.00000000 0.00000000 setrgbcolor\n"
    "newpath\n100 50 moveto\n108 50 lineto\n108 60 lineto\n100 60 lineto\nclosepath\nfill\n";

// What the device wrote after its prologue.
std::string Body(const CPostScriptDC& device) {
  return device.Text().substr(kPrologue.size());
}

// A device with a 14-high font selected, its output so far dropped.
struct CTextDevice {
  CTextDevice() {
    device.SelectFont(&font);
    start = device.Text().size();
  }
  std::string Written() const { return device.Text().substr(start); }
  CFont font{"Times-Roman", 14};
  CPostScriptDC device;
  size_t start = 0;
};

}  // namespace

// --- Paths and colours -------------------------------------------------------------------------

TEST(PostScriptDevice, FinishingEndsThePageOnce) {
  CPostScriptDC device;
  device.DrawLine(1, 2, 3, 4);
  EXPECT_TRUE(device.Finish());
  EXPECT_TRUE(device.Finish());
  EXPECT_EQ(Body(device), "newpath\n1 -2 moveto\n3 -4 lineto\nstroke\nshowpage\n%%EOF\n");
}

TEST(PostScriptDevice, StartsWithTheA4HalfScalePrologue) {
  CPostScriptDC device;
  EXPECT_EQ(device.Text(), kPrologue);
  EXPECT_TRUE(device.IsPrinting());
  EXPECT_EQ(device.GetTextExtent(""), (CSize{12, 12}));
  EXPECT_EQ(device.GetTextExtent("a much longer label than twelve units"), (CSize{12, 12}));
  EXPECT_EQ(device.SetViewportOrg(3, 4), (CPoint{3, 4}));
  CRect clip{1, 2, 3, 4};
  EXPECT_EQ(device.GetClipBox(clip), 0);
  EXPECT_EQ(device.Text(), kPrologue);  // none of these writes anything
}

TEST(PostScriptDevice, LinesRectanglesAndPathsNegateY) {
  CPostScriptDC device;
  device.DrawLine(10, 20, 30, 40);
  EXPECT_EQ(Body(device), "newpath\n10 -20 moveto\n30 -40 lineto\nstroke\n");
  CPostScriptDC points;
  points.DrawLine(CPoint{10, 20}, CPoint{30, 40});
  EXPECT_EQ(Body(points), Body(device));

  CPostScriptDC rectangle;
  rectangle.DrawRectangle(CRect{1, 2, 3, 4});
  EXPECT_EQ(Body(rectangle),
            "newpath\n1 -2 moveto\n3 -2 lineto\n3 -4 lineto\n1 -4 lineto\nclosepath\nstroke\n");

  CPostScriptDC path;
  path.MoveTo(5, 6);
  path.LineTo(CPoint{7, -8});
  path.Stroke();
  EXPECT_EQ(Body(path), "newpath\n5 -6 moveto\n7 8 lineto\nstroke");
}

TEST(PostScriptDevice, ZoneFramesAreSeventeenRectangles) {
  std::array<CRect, kZoneCount> zones{};
  zones[2] = {0, 0, 5, 5};
  CPostScriptDC frames;
  frames.DrawZoneFrames(zones);
  CPostScriptDC one;
  one.DrawRectangle(zones[2]);
  const std::string body = Body(frames);
  size_t count = 0;
  for (size_t at = body.find("closepath"); at != std::string::npos;
       at = body.find("closepath", at + 1)) {
    ++count;
  }
  EXPECT_EQ(count, 17u);
  EXPECT_NE(body.find(Body(one)), std::string::npos);
}

TEST(PostScriptDevice, FillsWriteTheirColourThenTheFilledPath) {
  CPostScriptDC device;
  device.FillSolidRect(CRect{1, 2, 3, 4}, Rgb(255, 0, 0));
  EXPECT_EQ(Body(device), std::string(kRedLine) +
                              "newpath\n1 -2 moveto\n3 -2 lineto\n3 -4 lineto\n1 -4 lineto\n"
                              "closepath\nfill\n");
  // The sized form does not negate y: its corners are (x, y) … (x + cx − 1, y + cy − 1).
  CPostScriptDC sized;
  sized.FillSolidRect(10, 20, 5, 3, Rgb(0, 0, 0));
  EXPECT_EQ(Body(sized), std::string(kBlackLine) +
                             "newpath\n10 20 moveto\n14 20 lineto\n14 22 lineto\n10 22 lineto\n"
                             "closepath\nfill\n");
}

TEST(PostScriptDevice, ColourSettersWriteTheColourAndReturnThePreviousOne) {
  CPostScriptDC device;
  EXPECT_EQ(device.SetTextColor(Rgb(255, 0, 0)), Rgb(0, 0, 0));
  EXPECT_EQ(Body(device), kRedLine);
  EXPECT_EQ(device.SetTextColor(Rgb(0, 0, 255)), Rgb(255, 0, 0));
  EXPECT_EQ(device.SetBkColor(Rgb(1, 2, 3)), Rgb(255, 255, 255));
  EXPECT_EQ(device.SetBkColor(Rgb(4, 5, 6)), Rgb(1, 2, 3));
  const CPen pen{Rgb(0, 255, 0), 1, CPenStyle::kSolid};
  const size_t before = device.Text().size();
  EXPECT_EQ(device.SelectPen(&pen), &pen);
  EXPECT_EQ(device.Text().substr(before), "0.00000000 1.00000000 0.00000000 setrgbcolor\n");
  EXPECT_EQ(device.SelectPen(nullptr), nullptr);
  EXPECT_EQ(device.Text().size(), before + kRedLine.size());
}

TEST(PostScriptDevice, FontsAreTimesRomanAtTheAbsoluteHeight) {
  CPostScriptDC device;
  const CFont font{"Arial", -15};
  EXPECT_EQ(device.SelectFont(&font), &font);
  EXPECT_EQ(Body(device), "/Times-Roman findfont\n15 scalefont\nsetfont\n");
  EXPECT_EQ(device.FontSize(), 15);
  EXPECT_EQ(device.SelectFont(nullptr), nullptr);
  EXPECT_EQ(Body(device), "/Times-Roman findfont\n15 scalefont\nsetfont\n");
}

// --- Text --------------------------------------------------------------------------------------

TEST(PostScriptDevice, TextOutWritesMarkerColourAndLeftShow) {
  CTextDevice text;
  text.device.SetTextAlign(kAlignLeft);
  text.start = text.device.Text().size();
  EXPECT_TRUE(text.device.TextOut(100, 50, "abc", false));
  EXPECT_EQ(text.Written(), std::string(kMarkerAt100) + std::string(kBlackLine) +
                                "/IX 100 def /IY -62 def (abc) leftshow\n");
}

TEST(PostScriptDevice, IndentedTextStarts150UnitsFurtherRight) {
  CTextDevice text;
  text.device.TextOut(100, 50, "abc", true);
  EXPECT_NE(text.Written().find("/IX 250 def /IY -62 def (abc) leftshow\n"), std::string::npos);
  EXPECT_NE(text.Written().find("100 50 moveto"), std::string::npos);  // the box stays at x
}

TEST(PostScriptDevice, AlignmentChoosesTheShowProcedureAndTheMarkerBox) {
  CTextDevice text;
  EXPECT_EQ(text.device.SetTextAlign(kAlignRight), kAlignRight);
  text.device.TextOut(100, 50, "r", false);
  EXPECT_NE(text.Written().find("newpath\n86 50 moveto\n94 50 lineto"), std::string::npos);
  EXPECT_NE(text.Written().find("(r) rightshow\n"), std::string::npos);

  text.start = text.device.Text().size();
  text.device.SetTextAlign(kAlignCentre);
  text.device.TextOut(100, 50, "c", false);
  EXPECT_NE(text.Written().find("newpath\n93 50 moveto\n104 50 lineto"), std::string::npos);
  EXPECT_NE(text.Written().find("(c) centshow\n"), std::string::npos);

  text.start = text.device.Text().size();
  EXPECT_EQ(text.device.SetTextAlign(kAlignBottom), kAlignBottom);  // keeps left
  text.device.TextOut(100, 50, "b", false);
  EXPECT_NE(text.Written().find("(b) leftshow\n"), std::string::npos);
  EXPECT_NE(text.Written().find("100 50 moveto"), std::string::npos);

  text.start = text.device.Text().size();
  text.device.SetTextAlign(kAlignCentre | kAlignBottom);  // only the plain values count
  text.device.TextOut(100, 50, "x", false);
  EXPECT_NE(text.Written().find("(x) leftshow\n"), std::string::npos);
}

TEST(PostScriptDevice, TextColourIsWrittenBeforeEachText) {
  CTextDevice text;
  text.device.SetTextColor(Rgb(255, 0, 0));
  text.start = text.device.Text().size();
  text.device.TextOut(0, 0, "a", false);
  const std::string written = text.Written();
  const size_t colour = written.rfind("setrgbcolor\n");
  ASSERT_NE(colour, std::string::npos);
  EXPECT_EQ(written.substr(colour + 12 - kRedLine.size()),
            std::string(kRedLine) + "/IX 0 def /IY -12 def (a) leftshow\n");
}

TEST(PostScriptDevice, AccentsAreReplacedAndStringsEscaped) {
  EXPECT_EQ(PostScriptString("caf\xE9 \xE8\xEA\xEB \xE0 \xF9 \xE7"), "cafe eee a u c");
  EXPECT_EQ(PostScriptString("caf\xC3\xA9"), "cafe");          // the same label in UTF-8
  EXPECT_EQ(PostScriptString("\xC3\x89t\xC3\xA9"), "\xC9te");  // capitals are kept, as Latin-1
  EXPECT_EQ(PostScriptString("a(b)c\\d"), "a\\(b\\)c\\\\d");
  EXPECT_EQ(PostScriptString("5 \xE2\x82\xAC"), "5 ?");  // outside Latin-1
  CTextDevice text;
  text.device.TextOut(0, 0, "x) show (y", false);
  EXPECT_NE(text.Written().find("(x\\) show \\(y) leftshow"), std::string::npos);
}

TEST(PostScriptDevice, TabbedTextWritesEachPieceOneTabStopFurther) {
  CTextDevice text;
  const int stops[] = {40};
  text.device.TabbedTextOut(10, 20, "a\tb(\tc", -1, 1, stops, 0);
  // Vertical mode 8 at creation: each piece at y + 2 − fs, negated.
  EXPECT_EQ(text.Written(),
            "/IX 10 def /IY -8 def (a) leftshow\n"
            "/IX 50 def /IY -8 def (b\\() leftshow\n"
            "/IX 90 def /IY -8 def (c) leftshow\n");
  text.device.SetTextAlign(kAlignLeft);  // vertical mode 0: y itself
  text.start = text.device.Text().size();
  text.device.TabbedTextOut(10, 20, "abc\tdef", 5, 0, nullptr, 0);
  EXPECT_EQ(text.Written(),
            "/IX 10 def /IY -20 def (abc) leftshow\n"
            "/IX 10 def /IY -20 def (d) leftshow\n");
}

// --- Files -------------------------------------------------------------------------------------

TEST(PostScriptFile, StreamsIntoTheFileAndReplacesItOnlyAtTheEnd) {
  CTempDir folder;
  const std::string path = folder.Write("picture.ps", "old");
  std::string error;
  ASSERT_TRUE(WritePostScript(
      path,
      [&](CPostScriptDC& device) {
        for (int k = 0; k < 20000; ++k)
          device.FillSolidRect(CRect{k, 0, k + 1, 10}, Rgb(k, 0, 0));
        EXPECT_EQ(ReadFileText(path), "old");
      },
      &error))
      << error;
  const std::string written = ReadFileText(path);
  EXPECT_EQ(written.substr(0, kPrologue.size()), kPrologue);
  EXPECT_GT(written.size(), size_t{1} << 20);  // more than one block went through the file
  EXPECT_NE(written.find("newpath\n19999 0 moveto"), std::string::npos);
  const std::string end = "closepath\nfill\nshowpage\n%%EOF\n";
  EXPECT_EQ(written.substr(written.size() - end.size()), end);
}

TEST(PostScriptFile, AFileThatCannotBeCreatedIsReportedAndNothingIsDrawn) {
  CTempDir folder;
  const std::string path = (folder.Path() / "missing" / "picture.ps").string();
  std::string error;
  bool drawn = false;
  EXPECT_FALSE(WritePostScript(
      path, [&](CPostScriptDC&) { drawn = true; }, &error));
  EXPECT_FALSE(drawn);
  EXPECT_EQ(error.rfind("Opening " + path + " failed: ", 0), 0u) << error;
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(PostScriptDevice, TurnedTextIsShownInASavedStateTurnedAboutItsPoint) {
  CTextDevice text;
  text.device.SetTextColor(Rgb(255, 0, 0));
  const size_t start = text.device.Text().size();
  text.device.TextOutTurned(100, 50, "b(e)ta");
  EXPECT_EQ(text.device.Text().substr(start), std::string(kRedLine) +
                                                  "gsave\n100 -50 translate\n90 rotate\n"
                                                  "0 -4 moveto\n(b\\(e\\)ta) show\ngrestore\n");
}

TEST(PostScriptDevice, AMeasuringDeviceWritesNothingAndCoversWhatIsDrawn) {
  CPostScriptDC measure{CPostScriptDC::CMeasureOnly{}};
  const CFont font{"Times-Roman", 20};
  measure.SelectFont(&font);
  measure.DrawLine(10, 20, 30, 40);
  EXPECT_EQ(measure.DrawnExtent(), (CRect{10, 20, 30, 40}));
  measure.SetTextAlign(kAlignLeft);
  // "WW" is 2 × 944 thousandths of 20: 37 units (and one more for rounding).
  measure.TextOut(100, 50, "WW", true);
  EXPECT_EQ(measure.DrawnExtent().right, 100 + 150 + 38);
  measure.TextOutTurned(5, 300, "MM");  // 2 × 889 thousandths of 20 up from 300
  EXPECT_EQ(measure.DrawnExtent().bottom, 300);
  EXPECT_EQ(measure.DrawnExtent().left, -5);
  EXPECT_TRUE(measure.Text().empty());
  EXPECT_TRUE(measure.Finish());
  EXPECT_TRUE(measure.Text().empty());
}
