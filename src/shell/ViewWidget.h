// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <memory>
#include <vector>

#include "base/Geometry.h"
#include "document/MouseSelection.h"
#include "qt/QtTextMeasurer.h"
#include "seriation/SeriationRun.h"

class CDesktopApp;
class CHeatMapPicture;
class CViewModel;
class QMdiSubWindow;
class QPainter;
class QRubberBand;

// A document window's picture: the heat map with its dendrograms drawn through the screen
// device at the window's zoom, scrolled inside the window. The left button selects (a cell, a
// dendrogram node, a dragged block); with Ctrl it draws a rubber band to zoom into, with
// Ctrl+Shift it zooms out at the point; Ctrl+wheel zooms at the pointer.
class CViewWidget : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // The zoom tools of the mouse: none (selection), a rubber band to zoom in, a click to zoom out.
  enum class ToolMode { kNone = 0, kZoomInBand = 1, kZoomOutAtPoint = 2 };

  CViewWidget(CViewModel& view, CDesktopApp& app, QWidget* parent = nullptr);
  ~CViewWidget() override;

  CViewModel& Model() const { return *view_; }
  // The model goes before the window (which Qt deletes a moment later): from now on the window
  // shows and does nothing.
  void Detach();
  CHeatMapPicture& Picture() const { return *picture_; }

  // The model changed: the picture is laid out again (fitted to the window in fit mode or when
  // asked once), the scroll ranges follow and the window repaints. `fitFrame` also sizes the
  // frame to the picture.
  void ModelChanged(bool fitFrame);
  // Prints the picture on one page with the header line, or shows the print preview first.
  void Print(bool preview);
  // Draws the page: the header line and the picture scaled into `page` device pixels.
  // `keepHairlines` for a page shown smaller later (the preview).
  void RenderPrintPage(QPainter& painter, QSize page, bool keepHairlines);
  // The part of the window's client area that the workspace shows (viewport coordinates).
  QRect VisibleClientRect() const;

  // A fixed tool instead of the one the keyboard modifiers choose (tests, toolbars).
  void SetToolMode(ToolMode mode) { fixedTool_ = mode; }
  // Layout units under a pixel of the viewport, and back.
  CPoint ToLayout(QPoint pixel) const;
  QPoint ToPixel(CPoint point) const;
  // Zooms to `zoom` keeping the layout point at the same place in the window (nothing above
  // the maximum zoom).
  void ZoomAt(double zoom, CPoint point);

  // The labels the find bar matched on one side, as flags by item: each match is highlighted on
  // screen (never in prints or exports), `currentItem` (−1: none) more strongly. ClearFound
  // removes the highlight.
  void ShowFound(bool rows, std::vector<char> matchedItems, int currentItem);
  void ClearFound();
  // Selects display position `position` of the active side as a click on its cell would, and
  // scrolls it into sight.
  void SelectFoundPosition(int position);

  QSize sizeHint() const override;

  // The watchers through which long seriations of the window's two orders show their steps.
  CSeriationObserver* SeriationObserver(bool rows);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // A layout point kept through a change of zoom: relative to the matrix's top-left corner
  // (which moves as the trees above and left of it change depth), or, in the top frame, as is.
  struct CAnchoredPoint {
    bool fromMatrix;
    CPoint offset;
  };
  CAnchoredPoint Anchor(CPoint point) const;
  CPoint Resolve(const CAnchoredPoint& anchored) const;

  void Relayout();
  void FitToClient();
  // What the window will show of a picture zoomed to `zoomedPicture` pixels: the visible
  // client area less the scroll bars that will appear.
  QRect ZoomedInClientRect(CSize zoomedPicture) const;
  // Sizes the frame to the picture, never past the workspace from where the frame stands.
  void FitFrame(QMdiSubWindow& frame);
  void UpdateScrollBars();
  CSize ZoomedPictureSize() const;
  CPoint ScrollPosition() const;
  ToolMode ToolFor(Qt::KeyboardModifiers modifiers) const;
  void FinishRubberBand(QPoint end);
  void ShowBrowseText(QPoint pixel, CPoint point);
  // Scrolls along one axis so that display position `position` of that side is in sight.
  void ScrollToPosition(bool rows, int position);
  void PaintFound(QPainter& painter) const;

  // Shows the steps of a seriation of one side: repaints at once (the layout by position does
  // not change while an order is rewritten).
  class CSideObserver : public CSeriationObserver {
   public:
    explicit CSideObserver(CViewWidget& widget) : widget_(&widget) {}
    void Repaint() override;
    void SelectSegment(int start, int length) override;

   private:
    CViewWidget* widget_;
  };

  CViewModel* view_;
  CDesktopApp* app_;
  CSideObserver rowObserver_{*this};
  CSideObserver columnObserver_{*this};
  std::unique_ptr<CHeatMapPicture> picture_;
  CQtTextMeasurer measurer_;
  ToolMode fixedTool_ = ToolMode::kNone;
  // The position pressed in the matrix, from which a drag extends the selection (−1: none).
  int dragAnchor_ = -1;
  bool selecting_ = false;
  QRubberBand* rubberBand_ = nullptr;
  QPoint bandOrigin_;
  CHighlight highlighted_;
  // The find bar's matches (flags by item of the side) and its current item.
  bool foundRows_ = true;
  std::vector<char> foundItems_;
  int currentFoundItem_ = -1;
};
