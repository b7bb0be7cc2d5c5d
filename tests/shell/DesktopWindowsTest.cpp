// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPicture>
#include <QScrollBar>
#include <QTest>
#include <algorithm>

#include "DesktopFixture.h"
#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"
#include "qt/QtFont.h"
#include "render/HeatMapPicture.h"
#include "shell/CommandIds.h"
#include "shell/ViewWidget.h"
#include "shell/ZoomPalette.h"
#include "tree/Tree.h"

// What a window shows: its picture's pixels, its frame's place in the workspace, the region a
// rubber band zooms to and the lines of a print preview. With QUORVEL_SCREENSHOT_DIR set, the
// main windows of some tests are saved there to be looked at.

namespace {

void SaveScreenshot(CDesktop& desktop, const char* name) {
  if (const char* folder = std::getenv("QUORVEL_SCREENSHOT_DIR")) {
    desktop.app->MainWindow().grab().save(QString::fromLocal8Bit(folder) + "/" + name);
  }
}

bool IsWhite(QRgb pixel) {
  return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 200;
}

bool IsDark(QRgb pixel) {
  return qGray(pixel) < 128;
}

// Whether a pixel of the 5 × 5 square around `at` is white.
bool WhiteNear(const QImage& image, QPoint at) {
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      const QPoint p = at + QPoint(dx, dy);
      if (image.valid(p) && IsWhite(image.pixel(p))) return true;
    }
  }
  return false;
}

// The part of a window's picture area that the workspace shows, in the area's coordinates.
QRect ShownPart(CViewWidget& widget) {
  QWidget* workspace = static_cast<QMdiSubWindow*>(widget.parentWidget())->mdiArea()->viewport();
  const QPoint origin = widget.viewport()->mapTo(workspace, QPoint(0, 0));
  return QRect(origin, widget.viewport()->size())
      .intersected(workspace->rect())
      .translated(-origin);
}

// The middle of the bar of a dendrogram's root, in layout units.
CPoint RootBarMiddle(const CDendrogramGeometry& geometry, const CTree& tree) {
  const auto& p = geometry.drawPoints[static_cast<size_t>(tree.root)];
  return {(p[1].x + p[2].x) / 2, (p[1].y + p[2].y) / 2};
}

}  // namespace

TEST(DesktopWindows, OnABlackBackgroundBothDendrogramsAreDrawnInWhite) {
  CDesktop desktop({"-Ward", "-AutomationRow", "-AutomationCol", "-BkColor", "grey"});
  CViewWidget& widget = desktop.ActiveWidget();
  ASSERT_EQ(widget.Model().Document().display.BkColor, 1) << "the word grey means black";
  ASSERT_TRUE(widget.Model().rowTree.hasTree);
  ASSERT_TRUE(widget.Model().columnTree.hasTree);
  const QImage image = widget.viewport()->grab().toImage();
  const CHeatMapPicture& picture = widget.Picture();
  const QPoint rowBar =
      widget.ToPixel(RootBarMiddle(picture.RowTreeGeometry(), widget.Model().rowTree));
  EXPECT_TRUE(WhiteNear(image, rowBar)) << "the row tree's root bar";
  // The column tree's geometry is not exposed; its zone must hold white lines on black.
  const CRect columnZone = picture.Zone(EPictureZone::kColumnTree);
  int whitePixels = 0;
  for (int y = columnZone.top; y < columnZone.bottom; ++y) {
    for (int x = columnZone.left; x < columnZone.right; ++x) {
      const QPoint p = widget.ToPixel({x, y});
      if (image.valid(p) && IsWhite(image.pixel(p))) ++whitePixels;
    }
  }
  EXPECT_GT(whitePixels, columnZone.Width()) << "the column tree's lines";
  const QPoint background = widget.ToPixel({columnZone.left + 1, columnZone.top - 3});
  EXPECT_EQ(QColor(image.pixel(background)), QColor(0, 0, 0));
  SaveScreenshot(desktop, "black-background.png");
}

TEST(DesktopWindows, AResultWindowOfALargeTableStaysInsideTheWorkspaceAndFitsWhatItShows) {
  CDesktop::COptions options;
  options.rows = 300;
  options.columns = 100;
  options.mainWindowSize = QSize(1400, 1000);
  options.normalWindow = true;
  CDesktop desktop({"-Ward"}, options);
  CMainWindow& main = desktop.app->MainWindow();
  QWidget* workspace = main.MdiArea()->viewport();
  for (int k = 0; k < 3; ++k) {
    QTest::keyClick(desktop.ActiveWidget().viewport(), Qt::Key_F4,
                    k == 1 ? Qt::ControlModifier : Qt::ShiftModifier);
    ProcessEvents();
    QWidget* frame = desktop.ActiveWidget().parentWidget();
    EXPECT_TRUE(workspace->rect().contains(frame->geometry()))
        << "window " << k + 2 << " at " << frame->geometry().x() << "," << frame->geometry().y()
        << " " << frame->width() << "x" << frame->height() << " in " << workspace->width() << "x"
        << workspace->height();
  }
  SaveScreenshot(desktop, "large-result-window.png");

  // Fit: the whole picture inside the part of the window that the workspace shows.
  CViewWidget& widget = desktop.ActiveWidget();
  QWidget* frame = widget.parentWidget();
  frame->move(frame->x(), workspace->height() - frame->height() / 2);  // half below the edge
  main.Dispatch(cmd::kFitToWindow);
  ProcessEvents();
  const QRect visible = ShownPart(widget);
  ASSERT_LT(visible.height(), widget.viewport()->height());
  const CSize total = widget.Picture().PictureSize();
  const double zoom = widget.Model().zoom;
  EXPECT_LE(static_cast<int>(total.cy * zoom), visible.height() + 1);
  EXPECT_LE(static_cast<int>(total.cx * zoom), visible.width() + 1);
}

TEST(DesktopWindows, ARubberBandShowsItsCellsFromAnyScrollPositionAndZoom) {
  CDesktop::COptions options;
  options.rows = 40;
  options.columns = 12;
  options.normalWindow = true;
  CDesktop desktop({"-Ward", "-AutomationRow", "-AutomationCol"}, options);
  CMainWindow& main = desktop.app->MainWindow();
  CViewWidget& widget = desktop.ActiveWidget();
  ASSERT_TRUE(widget.Model().columnTree.hasTree);
  widget.parentWidget()->resize(600, 450);
  ProcessEvents();
  widget.SetToolMode(CViewWidget::ToolMode::kZoomInBand);

  struct CStart {
    const char* palette;  // the zoom before the band
    int scroll;           // vertical scroll position before the band
  };
  for (const CStart start : {CStart{nullptr, 0}, CStart{"200%", 200}, CStart{"50%", 40}}) {
    main.Dispatch(cmd::kZoomDelete);
    if (start.palette) {
      CZoomPalette* palette = main.ZoomPalette();
      emit palette->activated(palette->findText(start.palette));
    }
    widget.verticalScrollBar()->setValue(start.scroll);
    ProcessEvents();
    // A band over the top-left 2 × 2 cells, from the corner of the first to that of the last.
    const CHeatMapPicture& picture = widget.Picture();
    const CRect matrix = picture.Zone(EPictureZone::kMatrix);
    const CRect band{
        matrix.left + picture.ColumnBounds().starts[0], matrix.top + picture.RowBounds().starts[0],
        matrix.left + picture.ColumnBounds().ends[1], matrix.top + picture.RowBounds().ends[1]};
    const QPoint from = widget.ToPixel({band.left, band.top});
    const QPoint to = widget.ToPixel({band.right, band.bottom});
    QTest::mousePress(widget.viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, widget.viewport()->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget.viewport(), &move);
    QTest::mouseRelease(widget.viewport(), Qt::LeftButton, {}, to);
    ProcessEvents();

    // The same cells, in the layout of the new zoom, fill the view around its middle.
    const CRect after{picture.Zone(EPictureZone::kMatrix).left + picture.ColumnBounds().starts[0],
                      picture.Zone(EPictureZone::kMatrix).top + picture.RowBounds().starts[0],
                      picture.Zone(EPictureZone::kMatrix).left + picture.ColumnBounds().ends[1],
                      picture.Zone(EPictureZone::kMatrix).top + picture.RowBounds().ends[1]};
    const QPoint first = widget.ToPixel({after.left, after.top});
    const QPoint last = widget.ToPixel({after.right, after.bottom});
    const QRect shown = ShownPart(widget);
    const QPoint middle = (first + last) / 2;
    const char* name = start.palette ? start.palette : "100%";
    EXPECT_LE(std::abs(middle.x() - shown.center().x()), 3) << name;
    EXPECT_LE(std::abs(middle.y() - shown.center().y()), 3) << name;
    const bool fillsWidth = std::abs((last.x() - first.x()) - shown.width()) <= 3;
    const bool fillsHeight = std::abs((last.y() - first.y()) - shown.height()) <= 3;
    EXPECT_TRUE(fillsWidth || fillsHeight)
        << name << ": the band's cells span " << last.x() - first.x() << " x "
        << last.y() - first.y() << " of " << shown.width() << " x " << shown.height();
    if (!start.palette) SaveScreenshot(desktop, "rubber-band-zoom.png");
  }
}

TEST(DesktopWindows, TheLettersOfTheLongestColumnLabelStayBelowTheColumnTree) {
  CDesktop::COptions options;
  options.rows = 6;
  options.columns = 4;
  options.columnLabels = {"Murder", "Assault", "UrbanPop", "Rape"};
  CDesktop desktop({"-Ward", "-AutomationCol"}, options);
  CViewWidget& widget = desktop.ActiveWidget();
  ASSERT_TRUE(widget.Model().columnTree.hasTree);
  const CHeatMapPicture& picture = widget.Picture();
  const CRect labels = picture.Zone(EPictureZone::kColumnLabels);
  const CRect tree = picture.Zone(EPictureZone::kColumnTree);
  const int lineHeight = QFontMetrics(QtFontOf(LabelFont(picture.Hx()))).height();
  EXPECT_GE(labels.Height(), 8 * static_cast<int>(0.88 * lineHeight));

  // Between the tree's leaves and the labels' zone only the background shows, over every
  // column: no letter reaches up there.
  const QImage image = widget.viewport()->grab().toImage();
  const CRect matrix = picture.Zone(EPictureZone::kMatrix);
  for (int y = tree.bottom + 1; y < labels.top; ++y) {
    for (int x = matrix.left; x < matrix.right; ++x) {
      const QPoint p = widget.ToPixel({x, y});
      ASSERT_TRUE(IsWhite(image.pixel(p))) << "ink at " << x << "," << y << " (labels from "
                                           << labels.top << ", tree to " << tree.bottom << ")";
    }
  }
  // And the top letter is inside the zone: ink in the zone's first rows over "UrbanPop".
  const int urbanPop = 2;
  const std::vector<int>& order = widget.Model().columnTree.order;
  const int position =
      static_cast<int>(std::find(order.begin(), order.end(), urbanPop) - order.begin());
  const int left = matrix.left + picture.ColumnBounds().starts[static_cast<size_t>(position)];
  const int right = matrix.left + picture.ColumnBounds().ends[static_cast<size_t>(position)];
  bool ink = false;
  for (int y = labels.top; y < labels.top + lineHeight && !ink; ++y) {
    for (int x = left; x < right; ++x)
      ink = ink || IsDark(image.pixel(widget.ToPixel({x, y})));
  }
  EXPECT_TRUE(ink) << "the 'U' stands at the zone's top";
}

TEST(DesktopWindows, APrintPreviewShownSmallKeepsTheVerticalLinesOfTheRowTree) {
  CDesktop desktop({"-Ward", "-AutomationRow"});
  CViewWidget& widget = desktop.ActiveWidget();
  ASSERT_TRUE(widget.Model().rowTree.hasTree);
  // The preview records the page at the printer's resolution and shows it much smaller.
  const QSize page(9000, 12000);
  QPicture recorded;
  {
    QPainter painter(&recorded);
    widget.RenderPrintPage(painter, page, true);
  }
  const CSize total = widget.Picture().PictureSize();
  const double printScale = std::min(static_cast<double>(page.width()) / total.cx,
                                     static_cast<double>(page.height()) / (total.cy + 30));
  const double shownScale = 0.4 / printScale;  // a layout unit becomes 0.4 pixels
  QImage shown(static_cast<int>(page.width() * shownScale) + 1,
               static_cast<int>(page.height() * shownScale) + 1, QImage::Format_RGB32);
  shown.fill(Qt::white);
  {
    QPainter painter(&shown);
    painter.scale(shownScale, shownScale);
    painter.drawPicture(0, 0, recorded);
  }
  const CTree& rows = widget.Model().rowTree;
  const CDendrogramGeometry& geometry = widget.Picture().RowTreeGeometry();
  int bars = 0;
  for (const CNode& node : rows.nodes) {
    if (node.IsLeaf() || !node.expanded) continue;
    const auto& p = geometry.drawPoints[static_cast<size_t>(node.index)];
    if (std::abs(p[2].y - p[1].y) < 12) continue;
    ++bars;
    const double scale = printScale * shownScale;
    const int x = static_cast<int>(p[1].x * scale);
    const int y = static_cast<int>(((p[1].y + p[2].y) / 2 + 30) * scale);
    bool dark = false;
    for (int dx = -1; dx <= 1; ++dx)
      dark = dark || (shown.valid(x + dx, y) && IsDark(shown.pixel(x + dx, y)));
    EXPECT_TRUE(dark) << "the bar of node " << node.index << " at " << x << "," << y;
  }
  EXPECT_GT(bars, 2);
}
