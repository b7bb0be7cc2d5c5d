// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <regex>

#include "GuiApplication.h"
#include "TestFiles.h"
#include "data/Data.h"
#include "qt/PictureExport.h"
#include "render/HeatMapPicture.h"
#include "render/Raster.h"
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

// A 2 × 2 table (+4, −4 / 0, missing) with nothing but the matrix shown.
struct CTinyPicture {
  CTinyPicture() {
    EnsureGuiApplication();
    data.Allocate(2, 2);
    data.At(0, 0) = 4, data.At(0, 1) = -4, data.At(1, 0) = 0, data.At(1, 1) = -99999;
    data.rowLabels = {"a", "b"};
    data.columnLabels = {"c", "d"};
    data.maxValue = 4, data.minValue = -4;
    rows.Initialize(2, nullptr, &data.rowLabels, {});
    columns.Initialize(2, nullptr, &data.columnLabels, {});
    display.m_intNumberOfNuances = 9;
    display.ContrastColor = 30;
    display.m_bShowTopFrame = 0;
    display.BkColor = 0;
    DeriveColorSwitches(display);
    input.data = &data, input.rows = &rows, input.columns = &columns, input.display = &display;
    input.switches.rowLabels = input.switches.columnLabels = false;
  }
  CData data;
  CTree rows, columns;
  DisplaySettings display;
  CPictureInput input;
};

}  // namespace

TEST(PictureExport, CellsLandOnTheirPixelsAtTheZoom) {
  CTinyPicture tiny;
  tiny.input.zoom = 2.0;
  CHeatMapPicture picture(tiny.input);
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  const CRect matrix = picture.Zone(EPictureZone::kMatrix);
  ASSERT_EQ(matrix, (CRect{12, 18, 36, 42}));
  CRaster raster;
  ASSERT_TRUE(RenderPictureRaster(picture, raster));
  EXPECT_EQ(raster.width, 2 * picture.PictureSize().cx);
  EXPECT_EQ(raster.height, 2 * picture.PictureSize().cy);
  const auto at = [&](int x, int y) { return raster.Pixel(2 * x + 1, 2 * y + 1); };
  EXPECT_EQ(at(18, 24), RasterPixel(255, 0, 0));      // +max: full positive colour (red)
  EXPECT_EQ(at(30, 24), RasterPixel(0, 255, 0));      // −max: full negative colour (green)
  EXPECT_EQ(at(18, 36), RasterPixel(0, 0, 0));        // zero: black
  EXPECT_EQ(at(30, 36), RasterPixel(100, 100, 100));  // missing: dark grey
  EXPECT_EQ(at(2, 2), RasterPixel(255, 255, 255));    // white background
}

TEST(PictureExport, FilesOfEveryFormatAndUnknownFormats) {
  CTinyPicture tiny;
  CHeatMapPicture picture(tiny.input);
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  CTempDir folder;
  const std::pair<int, std::string> formats[] = {{2, "\xFF\xD8"}, {3, "%!PS-Adobe-3.0\n"},
                                                 {4, "BM"},       {5, "\x89PNG"},
                                                 {6, "%PDF"},     {7, "<?xml"}};
  for (const auto& [format, magic] : formats) {
    const std::string path = (folder.Path() / ("p" + std::to_string(format))).string();
    CExportFailure failure;
    ASSERT_TRUE(ExportPicture(picture, ChoiceOf<EExportFormat>(format), path, &failure))
        << failure.message;
    EXPECT_EQ(ReadFileText(path).substr(0, magic.size()), magic) << format;
  }
  CExportFailure failure;
  EXPECT_FALSE(ExportPicture(picture, ChoiceOf<EExportFormat>(9), (folder.Path() / "p9").string(),
                             &failure));
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "p9"));
  EXPECT_FALSE(ExportPicture(picture, EExportFormat::kBmp, "/nonexistent-folder/p.bmp", &failure));
  EXPECT_FALSE(failure.bitmapAllocation);
  EXPECT_NE(failure.message.find("/nonexistent-folder/p.bmp"), std::string::npos);
}

namespace {

unsigned LittleEndian32(const std::string& bytes, size_t at) {
  unsigned value = 0;
  for (int k = 3; k >= 0; --k)
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(k)]);
  return value;
}

// The JFIF density unit and the two densities (the APP0 segment right after the start marker).
std::array<int, 3> JfifDensity(const std::string& bytes) {
  const auto byte = [&](size_t at) {
    return static_cast<int>(static_cast<unsigned char>(bytes[at]));
  };
  return {byte(13), byte(14) << 8 | byte(15), byte(16) << 8 | byte(17)};
}

}  // namespace

TEST(PictureExport, AChosenResolutionScalesTheBitmapsAndIsRecordedInEachFile) {
  CTinyPicture tiny;
  CHeatMapPicture picture(tiny.input);
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  const CSize total = picture.PictureSize();
  CTempDir folder;
  const CRasterOptions at300{300};
  const auto write = [&](EExportFormat format, const std::string& name,
                         const CRasterOptions& options) {
    const std::string path = (folder.Path() / name).string();
    CExportFailure failure;
    EXPECT_TRUE(ExportPicture(picture, format, path, &failure, options)) << failure.message;
    return path;
  };

  const QImage png(QString::fromStdString(write(EExportFormat::kPng, "p.png", at300)));
  ASSERT_FALSE(png.isNull());
  EXPECT_EQ(png.width(), static_cast<int>(total.cx * 300.0 / 96));
  EXPECT_EQ(png.height(), static_cast<int>(total.cy * 300.0 / 96));
  EXPECT_EQ(png.dotsPerMeterX(), 11811);  // 300 dots per inch
  EXPECT_EQ(png.dotsPerMeterY(), 11811);
  // The cells grow with the picture: +max is still red well inside its scaled cell.
  EXPECT_EQ(png.pixelColor(18 * 300 / 96, 24 * 300 / 96), QColor(255, 0, 0));

  const std::string bmp = ReadFileText(write(EExportFormat::kBmp, "p.bmp", at300));
  EXPECT_EQ(LittleEndian32(bmp, 18), static_cast<unsigned>(png.width()));
  EXPECT_EQ(LittleEndian32(bmp, 38), 11811u);  // pixels per metre
  EXPECT_EQ(LittleEndian32(bmp, 42), 11811u);

  const std::string jpeg = ReadFileText(write(EExportFormat::kJpeg, "p.jpg", at300));
  EXPECT_EQ(JfifDensity(jpeg), (std::array<int, 3>{1, 300, 300}));

  // Without a chosen resolution the files are those of the screen: one pixel per unit, 96 dots
  // per inch in PNG and BMP, and the JPEG density of 1 by 1.
  const QImage screenPng(QString::fromStdString(write(EExportFormat::kPng, "s.png", {})));
  EXPECT_EQ(screenPng.width(), total.cx);
  EXPECT_EQ(screenPng.dotsPerMeterX(), 3780);
  EXPECT_EQ(LittleEndian32(ReadFileText(write(EExportFormat::kBmp, "s.bmp", {})), 38), 3780u);
  EXPECT_EQ(JfifDensity(ReadFileText(write(EExportFormat::kJpeg, "s.jpg", {}))),
            (std::array<int, 3>{1, 1, 1}));
}

TEST(PictureExport, APdfOfAHugePictureKeepsItsPageWithinTheLimitOfReaders) {
  EnsureGuiApplication();
  CData data;
  const int rows = 1500;
  data.Allocate(rows, 2);
  for (int i = 0; i < rows; ++i) {
    data.At(i, 0) = i % 7 - 3;
    data.At(i, 1) = 3 - i % 5;
    data.rowLabels.push_back("r" + std::to_string(i));
  }
  data.columnLabels = {"a", "b"};
  data.maxValue = 3, data.minValue = -3;
  CTree rowTree, columnTree;
  rowTree.Initialize(rows, nullptr, &data.rowLabels, {});
  columnTree.Initialize(2, nullptr, &data.columnLabels, {});
  DisplaySettings display;
  DeriveColorSwitches(display);
  CPictureInput input;
  input.data = &data, input.rows = &rowTree, input.columns = &columnTree, input.display = &display;
  CHeatMapPicture picture(input);
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  ASSERT_GT(picture.PictureSize().cy, 14400);
  CTempDir folder;
  const std::string path = (folder.Path() / "huge.pdf").string();
  CExportFailure failure;
  ASSERT_TRUE(ExportPicture(picture, EExportFormat::kPdf, path, &failure)) << failure.message;
  const std::string pdf = ReadFileText(path);
  const std::regex mediaBox(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])");
  int pages = 0;
  for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), mediaBox);
       it != std::sregex_iterator(); ++it, ++pages) {
    EXPECT_LE(std::stod((*it)[1]), 14400.0);
    EXPECT_LE(std::stod((*it)[2]), 14400.0);
    // The tall side fills the limit: the picture is shrunk no more than needed.
    EXPECT_GT(std::stod((*it)[2]), 14390.0);
  }
  EXPECT_EQ(pages, 1);
  EXPECT_EQ(PdfPageScale({100, 14400}), 1.0);
  EXPECT_DOUBLE_EQ(PdfPageScale({28800, 10}), 0.5);
}
