// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "GuiApplication.h"
#include "TestFiles.h"
#include "data/Data.h"
#include "qt/PictureExport.h"
#include "qt/QtTextMeasurer.h"
#include "render/HeatMapPicture.h"
#include "settings/DisplaySettings.h"
#include "tree/Tree.h"

TEST(TooLargeExport, APictureBeyondTheLargestExtentIsRefusedByEveryFileFormat) {
  EnsureGuiApplication();
  // Two rows of 40 000 columns 500 units wide.
  constexpr int kColumns = 40000;
  CData data;
  data.Allocate(2, kColumns);
  data.rowLabels = {"a", "b"};
  for (int j = 0; j < kColumns; ++j)
    data.columnLabels.push_back("c");
  data.maxValue = 1;
  CTree rows, columns;
  rows.Initialize(2, nullptr, &data.rowLabels, {});
  columns.Initialize(kColumns, nullptr, &data.columnLabels, {});
  DisplaySettings display;
  display.hx = 500;
  DeriveColorSwitches(display);
  CPictureInput input;
  input.data = &data, input.rows = &rows, input.columns = &columns, input.display = &display;
  CHeatMapPicture picture(input);
  CQtTextMeasurer measurer;
  picture.RecomputeLayout(measurer);

  CTempDir folder;
  for (const EExportFormat format : {EExportFormat::kPostScript, EExportFormat::kSvg}) {
    const std::string path = (folder.Path() / ("p" + std::to_string(CodeOf(format)))).string();
    CExportFailure failure;
    EXPECT_FALSE(ExportPicture(picture, format, path, &failure));
    EXPECT_NE(failure.message.find("too large"), std::string::npos) << failure.message;
    EXPECT_NE(failure.message.find(path), std::string::npos) << failure.message;
    EXPECT_FALSE(std::filesystem::exists(path));
  }
}
