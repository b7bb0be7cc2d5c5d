// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "export/PostScriptPage.h"
#include "render/NumberText.h"

namespace {

std::string FixedScaleText(double scale) {
  return FixedText(scale, 6);
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST(PostScriptPage, APictureThatFitsKeepsTheHalfScaleAndGetsItsBoxOnThePage) {
  const CPostScriptPage page = PostScriptPageFor({587, 260}, "/tmp/a.b/picture.ps");
  EXPECT_FALSE(page.encapsulated);
  EXPECT_EQ(PostScriptScale(page), 0.5);
  // 294 (587 / 2 rounded up) wide and 130 high at the page's top-left corner.
  EXPECT_EQ(PostScriptBoundingBox(page), (CRect{0, 712, 294, 842}));
  const std::string prologue = PostScriptPrologue(page);
  EXPECT_EQ(prologue.rfind("%!PS-Adobe-3.0\n", 0), 0u);
  EXPECT_TRUE(Contains(prologue, "%%BoundingBox: 0 712 294 842\n"));
  EXPECT_TRUE(Contains(prologue,
                       "%%Page: 1 1\n<< /PageSize [595 842] >> setpagedevice\n0 842 translate\n\n"
                       "0.500000 0.500000 scale\n\n/rightshow\n"));
}

TEST(PostScriptPage, ATallOrWidePictureShrinksToThePageAndStaysInsideIt) {
  for (const CSize picture : {CSize{600, 5000}, CSize{9000, 700}, CSize{1191, 1685}}) {
    const CPostScriptPage page{picture, false};
    const double scale = PostScriptScale(page);
    EXPECT_LT(scale, 0.5);
    EXPECT_LE(picture.cx * scale, 595.0);
    EXPECT_LE(picture.cy * scale, 842.0);
    // One side fills the page to within a point: the picture is not shrunk more than needed.
    EXPECT_TRUE(picture.cx * scale > 594.0 || picture.cy * scale > 841.0) << picture.cx;
    const CRect box = PostScriptBoundingBox(page);
    EXPECT_GE(box.top, 0);
    EXPECT_LE(box.right, 595);
    EXPECT_EQ(box.bottom, 842);
    EXPECT_TRUE(Contains(PostScriptPrologue(page),
                         FixedScaleText(scale) + " " + FixedScaleText(scale) + " scale\n"));
  }
  // 842 / 5000 = 0.1684 exactly; 595 / 9000 = 0.066111… written rounded down.
  EXPECT_EQ(PostScriptScale({{600, 5000}, false}), 0.1684);
  EXPECT_EQ(PostScriptScale({{9000, 700}, false}), 0.066111);
}

TEST(PostScriptPage, AnEpsNameGivesThePictureAloneAtFullSize) {
  for (const char* name : {"figure.eps", "FIGURE.EPS", "/tmp/x.y/figure.Eps"}) {
    const CPostScriptPage page = PostScriptPageFor({4000, 300}, name);
    ASSERT_TRUE(page.encapsulated) << name;
    EXPECT_EQ(PostScriptScale(page), 1.0);
    EXPECT_EQ(PostScriptBoundingBox(page), (CRect{0, 0, 4000, 300}));
    const std::string prologue = PostScriptPrologue(page);
    EXPECT_EQ(prologue.rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0), 0u);
    EXPECT_TRUE(Contains(prologue, "%%BoundingBox: 0 0 4000 300\n"));
    // An encapsulated picture must not set the page of the document it is placed in.
    EXPECT_FALSE(Contains(prologue, "setpagedevice"));
    EXPECT_TRUE(Contains(prologue, "0 300 translate\n\n1.000000 1.000000 scale\n\n"));
    EXPECT_TRUE(Contains(prologue, "clip newpath\n"));
  }
  EXPECT_FALSE(PostScriptPageFor({10, 10}, "figure.ps").encapsulated);
  EXPECT_FALSE(PostScriptPageFor({10, 10}, "eps").encapsulated);
  EXPECT_FALSE(PostScriptPageFor({10, 10}, "figure.eps.ps").encapsulated);
}

TEST(PostScriptPage, AnUnknownOrEmptyPictureTakesTheWholePage) {
  EXPECT_EQ(PostScriptBoundingBox({}), (CRect{0, 0, 595, 842}));
  EXPECT_EQ(PostScriptScale({}), 0.5);
  EXPECT_EQ(PostScriptBoundingBox({{0, 0}, true}), (CRect{0, 0, 1, 1}));
}
