#include <gtest/gtest.h>

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
  const std::pair<int, std::string> formats[] = {
      {2, "\xFF\xD8"}, {3, "<< /PageSize"}, {4, "BM"}, {5, "\x89PNG"}, {6, "%PDF"}, {7, "<?xml"}};
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
