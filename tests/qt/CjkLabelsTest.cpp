// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "GuiApplication.h"
#include "TestFiles.h"
#include "data/Data.h"
#include "qt/PictureExport.h"
#include "qt/QtFont.h"
#include "qt/QtTextMeasurer.h"
#include "qt/ScreenDC.h"
#include "render/HeatMapPicture.h"
#include "settings/DisplaySettings.h"
#include "tree/Tree.h"

// Labels in Chinese, Japanese and Korean drawn as glyphs, and Latin text drawn as before.

namespace {

// A 3 × 2 table whose rows carry `rowLabel` (numbered after it), laid out.
struct CLabelledPicture {
  explicit CLabelledPicture(const std::string& rowLabel) {
    EnsureGuiApplication();
    data.Allocate(3, 2);
    for (int i = 0; i < 3; ++i) {
      data.rowLabels.push_back(rowLabel + std::to_string(i));
      for (int j = 0; j < 2; ++j)
        data.At(i, j) = i - j;
    }
    data.columnLabels = {"a", "b"};
    data.maxValue = 2, data.minValue = -1;
    data.maxRowLabelLength = 8, data.maxColumnLabelLength = 1;
    rows.Initialize(3, nullptr, &data.rowLabels, {});
    columns.Initialize(2, nullptr, &data.columnLabels, {});
    display.hx = display.hy = 24;
    display.m_bShowTopFrame = 0;
    DeriveColorSwitches(display);
    input.data = &data, input.rows = &rows, input.columns = &columns, input.display = &display;
    input.switches.rowLabels = input.switches.columnLabels = true;
    picture = std::make_unique<CHeatMapPicture>(input);
    CQtTextMeasurer measurer;
    picture->RecomputeLayout(measurer);
  }
  CData data;
  CTree rows, columns;
  DisplaySettings display;
  CPictureInput input;
  std::unique_ptr<CHeatMapPicture> picture;
};

// The picture drawn through the screen device into an image; the row-label zone is cut out.
QImage RowLabelZone(const std::string& rowLabel) {
  CLabelledPicture labelled(rowLabel);
  CHeatMapPicture& picture = *labelled.picture;
  const CSize size = picture.PictureSize();
  QImage image(size.cx, size.cy, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    CScreenDC device(painter, false);
    picture.DrawPicture(device, false);
  }
  const CRect zone = picture.Zone(EPictureZone::kRowLabels);
  return image.copy(zone.left, zone.top, zone.right - zone.left, zone.bottom - zone.top);
}

int InkPixels(const QImage& image) {
  const QRgb background = image.pixel(0, 0);
  int ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      ink += image.pixel(x, y) != background ? 1 : 0;
  }
  return ink;
}

QImage Written(const QFont& font, const QString& text) {
  QImage image(300, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(4, 30, text);
  return image;
}

}  // namespace

TEST(CjkLabels, ChineseJapaneseAndKoreanLabelsShowGlyphsNotBoxes) {
  // U+0378 is unassigned: no font has it, so it is drawn as the missing-glyph box.
  const QImage boxes = RowLabelZone("\xCD\xB8\xCD\xB8\xCD\xB8");
  ASSERT_GT(InkPixels(boxes), 0);
  for (const char* label : {"\xE4\xB8\xAD\xE6\x96\x87",                 // Chinese
                            "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",     // Japanese
                            "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4"}) {  // Korean
    const QImage glyphs = RowLabelZone(label);
    EXPECT_GT(InkPixels(glyphs), 0) << label;
    EXPECT_NE(glyphs, boxes) << label;
  }
}

TEST(CjkLabels, TheFallbackLeavesLatinTextAsTheFaceAloneDrawsIt) {
  EnsureGuiApplication();
  const QString latin = QString::fromUtf8("Rows 0123 caf\xC3\xA9 Wij");
  for (const CFont& font : {CFont{"", 13}, CFont{kTextFontFace, 14}, CFont{"", -24, 700, true}}) {
    const QFont drawn = QtFontOf(font);
    ASSERT_EQ(drawn.families().size(), 2);
    EXPECT_EQ(drawn.families().back(), kCjkFallbackFace);
    // The first family is the installed face, never an alias that the fallback would answer.
    QFont alone = drawn;
    alone.setFamilies({drawn.families().front()});
    EXPECT_EQ(QFontInfo(drawn).family(), QFontInfo(alone).family());
    EXPECT_EQ(Written(drawn, latin), Written(alone, latin)) << font.faceName;
  }
  EXPECT_TRUE(QFontInfo(QtFontOf(CFont{kTextFontFace, 14})).family().startsWith("Nimbus Roman"));

  // The CJK characters come from the fallback face, whatever the face of the text.
  const QString cjk = QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87 \xED\x95\x9C");
  QFont fallback(QString::fromUtf8(kCjkFallbackFace));
  fallback.setPixelSize(14);
  EXPECT_EQ(Written(QtFontOf(CFont{kTextFontFace, 14}), cjk), Written(fallback, cjk));
}

TEST(CjkLabels, APdfCarriesTheFallbackFaceForThem) {
  CLabelledPicture labelled("\xE4\xB8\xAD\xE6\x96\x87");
  CTempDir folder;
  const std::string path = (folder.Path() / "cjk.pdf").string();
  CExportFailure failure;
  ASSERT_TRUE(ExportPicture(*labelled.picture, EExportFormat::kPdf, path, &failure))
      << failure.message;
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  EXPECT_NE(bytes.str().find("WenQuanYiMicroHei"), std::string::npos);
}
