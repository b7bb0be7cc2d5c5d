// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "GuiApplication.h"
#include "ScriptedServices.h"
#include "TestFiles.h"
#include "document/QuorvelDoc.h"
#include "qt/QtPictureExporter.h"
#include "settings/SettingsStore.h"

namespace {

struct CExportedDocument {
  CExportedDocument() {
    EnsureGuiApplication();
    // 40 rows of 200 columns: at zoom 80 with cells of 48 units the bitmap would take
    // hundreds of gigabytes, far beyond any machine's memory.
    std::string table = "T";
    for (int j = 0; j < 200; ++j)
      table += "\tc" + std::to_string(j);
    table += "\n";
    for (int i = 0; i < 40; ++i) {
      table += "r" + std::to_string(i);
      for (int j = 0; j < 200; ++j)
        table += "\t" + std::to_string((i + j) % 7);
      table += "\n";
    }
    const std::string path = folder.Write("table.txt", table);
    document = std::make_unique<CQuorvelDoc>(services, store, ScanCommandLine({path}), nullptr);
    EXPECT_TRUE(document->OpenDocument(path));
    view = &document->CreateView();
  }
  CScriptedServices services;
  CMemorySettingsStore store;
  CTempDir folder;
  std::unique_ptr<CQuorvelDoc> document;
  CViewModel* view = nullptr;
};

}  // namespace

TEST(QtPictureExporter, WritesTheWindowsPictureAndReportsABitmapTooLargeOnce) {
  CExportedDocument exported;
  CQtPictureExporter exporter;
  const std::string png = (exported.folder.Path() / "picture.png").string();
  std::string error;
  ASSERT_TRUE(exporter.ExportToFile(*exported.view, EExportFormat::kPng, png, &error)) << error;
  EXPECT_TRUE(std::filesystem::exists(png));

  // At the largest zoom the picture cannot be one bitmap.
  exported.document->display.hy = 48;
  exported.document->display.hx = 48;
  exported.view->zoom = 80.0;
  const std::string bmp = (exported.folder.Path() / "huge.bmp").string();
  EXPECT_FALSE(exporter.ExportToFile(*exported.view, EExportFormat::kBmp, bmp, &error));
  EXPECT_TRUE(error.empty()) << "the allocation message is the only report";
  ASSERT_EQ(exported.services.warnings.size(), 1u);
  EXPECT_EQ(exported.services.warnings[0].code, 3);
  EXPECT_FALSE(std::filesystem::exists(bmp)) << "nothing is written";
}
