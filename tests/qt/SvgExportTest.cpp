// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "GuiApplication.h"
#include "SvgReader.h"
#include "TestFiles.h"
#include "data/Data.h"
#include "qt/PictureExport.h"
#include "qt/QtTextMeasurer.h"
#include "render/HeatMapPicture.h"
#include "settings/DisplaySettings.h"
#include "tree/Tree.h"

namespace {

// A caterpillar dendrogram over the side: each leaf joins everything before it.
void Caterpillar(CTree& side) {
  const int n = static_cast<int>(side.order.size());
  side.nodes.assign(static_cast<size_t>(n), CNode{});
  for (int k = 0; k < n; ++k) {
    side.nodes[static_cast<size_t>(k)].index = side.nodes[static_cast<size_t>(k)].left = k;
    side.nodes[static_cast<size_t>(k)].count = 1;
  }
  int previous = 0;
  for (int k = 1; k < n; ++k) {
    CNode node;
    node.index = static_cast<int>(side.nodes.size());
    node.left = previous, node.right = k, node.height = k, node.count = k + 1;
    node.expanded = true;
    side.nodes.push_back(node);
    previous = node.index;
  }
  side.root = previous;
  side.rootHeight = n - 1;
  side.hasTree = true;
  side.RebuildOrder(side.root);
}

// A 7 × 5 table of every sign with both dendrograms, a selection of rows and columns, and the
// cells `cell` units wide; text is shown only when asked.
struct CLinePicture {
  CLinePicture(int cell, bool withText) {
    EnsureGuiApplication();
    data.Allocate(7, 5);
    for (int i = 0; i < 7; ++i) {
      data.rowLabels.push_back("row " + std::to_string(i));
      for (int j = 0; j < 5; ++j)
        data.At(i, j) = (i * 5 + j) % 9 - 4;
    }
    for (int j = 0; j < 5; ++j)
      data.columnLabels.push_back("c" + std::to_string(j));
    data.At(3, 2) = -99999;
    data.maxValue = 4, data.minValue = -4;
    data.maxRowLabelLength = 5, data.maxColumnLabelLength = 2;
    rows.Initialize(7, nullptr, &data.rowLabels, {});
    columns.Initialize(5, nullptr, &data.columnLabels, {});
    Caterpillar(rows);
    Caterpillar(columns);
    rows.userSelection = true, rows.selectionStart = 2, rows.selectionLength = 3;
    columns.userSelection = true, columns.selectionStart = 1, columns.selectionLength = 2;
    display.hx = display.hy = cell;
    display.BkColor = 2;  // grey: the background must come from the settings, as on screen
    display.m_bShowTopFrame = withText ? 1 : 0;
    DeriveColorSwitches(display);
    input.data = &data, input.rows = &rows, input.columns = &columns, input.display = &display;
    input.switches.rowLabels = input.switches.columnLabels = withText;
    input.report.rows.s = input.report.columns.s = 1.0;
  }
  CData data;
  CTree rows, columns;
  DisplaySettings display;
  CPictureInput input;
};

bool HaveRsvg() {
  return std::system("command -v rsvg-convert > /dev/null 2>&1") == 0;
}

// The picture exported in `format` to `name` in `folder`.
std::string Export(CHeatMapPicture& picture, EExportFormat format, const CTempDir& folder,
                   const std::string& name) {
  const std::string path = (folder.Path() / name).string();
  CExportFailure failure;
  EXPECT_TRUE(ExportPicture(picture, format, path, &failure)) << failure.message;
  return path;
}

QImage Rendered(const std::string& svg, const CTempDir& folder) {
  const std::string png = (folder.Path() / "rendered.png").string();
  const std::string command = "rsvg-convert '" + svg + "' -o '" + png + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
  return QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
}

// Pixels whose colours differ by more than `tolerance` in some channel.
int DifferingPixels(const QImage& a, const QImage& b, int tolerance = 0) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      const int most = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                 std::abs(qBlue(p) - qBlue(q))});
      differing += most > tolerance ? 1 : 0;
    }
  }
  return differing;
}

}  // namespace

// Without text (whose glyphs two renderers never draw alike), the SVG drawn by a real
// renderer is the bitmap export pixel for pixel: cells, trees, selection lines and background.
TEST(SvgExport, RenderedWithoutTextItIsTheBitmapPixelForPixel) {
  if (!HaveRsvg()) GTEST_SKIP() << "rsvg-convert is not installed";
  for (const int cell : {1, 3, 12}) {
    CLinePicture table(cell, false);
    CHeatMapPicture picture(table.input);
    CQtTextMeasurer measurer;
    picture.RecomputeLayout(measurer);
    CTempDir folder;
    const QImage png(QString::fromStdString(Export(picture, EExportFormat::kPng, folder, "p.png")));
    const QImage svg = Rendered(Export(picture, EExportFormat::kSvg, folder, "p.svg"), folder);
    ASSERT_EQ(svg.size(), png.size()) << cell;
    EXPECT_EQ(DifferingPixels(svg, png.convertToFormat(QImage::Format_RGB32)), 0) << cell;
  }
}

// With text the glyphs differ in their anti-aliased edges, but the ink lies in the same places:
// few pixels differ strongly (by more than half the range in a channel), where text one pixel
// off would differ in thousands.
TEST(SvgExport, RenderedWithTextItDiffersOnlyAtTheEdgesOfGlyphs) {
  if (!HaveRsvg()) GTEST_SKIP() << "rsvg-convert is not installed";
  CLinePicture table(12, true);
  CHeatMapPicture picture(table.input);
  CQtTextMeasurer measurer;
  picture.RecomputeLayout(measurer);
  CTempDir folder;
  const QImage png =
      QImage(QString::fromStdString(Export(picture, EExportFormat::kPng, folder, "p.png")))
          .convertToFormat(QImage::Format_RGB32);
  const std::string path = Export(picture, EExportFormat::kSvg, folder, "p.svg");
  const QImage svg = Rendered(path, folder);
  ASSERT_EQ(svg.size(), png.size());
  const int differing = DifferingPixels(svg, png, 128);
  if (const char* keep = std::getenv("QUORVEL_KEEP_SVG_RENDERING")) {
    png.save(QString(keep) + "/screen.png");
    svg.save(QString(keep) + "/svg.png");
    std::filesystem::copy_file(path, std::string(keep) + "/picture.svg",
                               std::filesystem::copy_options::overwrite_existing);
  }
  EXPECT_LT(differing, png.width() * png.height() / 100) << differing;
  const CSvgReading reading = ReadSvg(ReadFileText(path));
  ASSERT_TRUE(reading.wellFormed) << reading.error;
  EXPECT_EQ(reading.CountInGroup("rect", "cells"), 7 * 5);
}
