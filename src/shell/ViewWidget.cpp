// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ViewWidget.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRubberBand>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "document/MouseSelection.h"
#include "document/PictureInputOf.h"
#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"
#include "qt/ScreenDC.h"
#include "render/ColorPainter.h"
#include "render/HeatMapPicture.h"
#include "render/Zoom.h"
#include "shell/DesktopApp.h"
#include "tree/Tree.h"

namespace {

// Room above a printed picture for the header line.
constexpr int kPrintHeaderHeight = 30;
// The zoom step of the mouse tools and the wheel.
constexpr double kMouseZoomFactor = 1.25;
// Rubber bands smaller than this (device pixels, both ways) zoom in at their centre.
constexpr int kSmallBand = 10;
// Layouts tried to fit the picture to the window (the tree depths follow the zoom).
constexpr int kFitPasses = 6;
// The smallest frame of a window sized to its picture.
constexpr QSize kSmallestFrame(200, 150);
// The share of the program's window that the print preview opens on.
constexpr double kPreviewShare = 0.9;

}  // namespace

CViewWidget::CViewWidget(CViewModel& view, CDesktopApp& app, QWidget* parent)
    : QAbstractScrollArea(parent), view_(&view), app_(&app) {
  picture_ = std::make_unique<CHeatMapPicture>(MakePictureInput(view));
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setCursor(Qt::ArrowCursor);
  setFocusPolicy(Qt::StrongFocus);
  Relayout();
}

CViewWidget::~CViewWidget() {
  Detach();
}

void CViewWidget::Detach() {
  view_ = nullptr;
}

CSeriationObserver* CViewWidget::SeriationObserver(bool rows) {
  return rows ? &rowObserver_ : &columnObserver_;
}

void CViewWidget::CSideObserver::Repaint() {
  widget_->viewport()->repaint();
}

void CViewWidget::CSideObserver::SelectSegment(int, int) {
  // The side's selection is the block the seriation works on: it must not move under it, so
  // the segment is only seen through the repaints.
}

QSize CViewWidget::sizeHint() const {
  const CSize zoomed = ZoomedPictureSize();
  return {std::min(zoomed.cx + 4, 1200), std::min(zoomed.cy + 4, 900)};
}

CSize CViewWidget::ZoomedPictureSize() const {
  const CSize total = picture_->PictureSize();
  // The zoom the picture was laid out with (the model may be gone already).
  const CSize zoomed = ZoomedSize(total, picture_->Input().zoom);
  return {std::max(1, zoomed.cx), std::max(1, zoomed.cy)};
}

CPoint CViewWidget::ScrollPosition() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

CPoint CViewWidget::ToLayout(QPoint pixel) const {
  const CSize total = picture_->PictureSize();
  const CSize zoomed = ZoomedPictureSize();
  const CPoint scroll = ScrollPosition();
  const double x = static_cast<double>(pixel.x() + scroll.x) * total.cx / zoomed.cx;
  const double y = static_cast<double>(pixel.y() + scroll.y) * total.cy / zoomed.cy;
  return {static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
}

QPoint CViewWidget::ToPixel(CPoint point) const {
  const CSize total = picture_->PictureSize();
  const CSize zoomed = ZoomedPictureSize();
  const CPoint scroll = ScrollPosition();
  const double x = total.cx > 0 ? static_cast<double>(point.x) * zoomed.cx / total.cx : 0.0;
  const double y = total.cy > 0 ? static_cast<double>(point.y) * zoomed.cy / total.cy : 0.0;
  return {static_cast<int>(std::lround(x)) - scroll.x, static_cast<int>(std::lround(y)) - scroll.y};
}

void CViewWidget::Relayout() {
  CPictureInput input = MakePictureInput(*view_);
  input.clientSize = {viewport()->width(), viewport()->height()};
  picture_->MutableInput() = input;
  picture_->RecomputeLayout(measurer_);
  if (view_->fitToWindow || view_->fitOnce) {
    view_->fitOnce = false;
    FitToClient();
  }
  UpdateScrollBars();
}

QRect CViewWidget::VisibleClientRect() const {
  const QRect client = viewport()->rect();
  const auto* frame = qobject_cast<const QMdiSubWindow*>(parentWidget());
  QMdiArea* area = frame ? frame->mdiArea() : nullptr;
  if (area == nullptr) return client;
  // The part of the window that the workspace shows; a window reaching past the workspace's
  // edge hides the rest.
  QWidget* workspace = area->viewport();
  const QPoint origin = viewport()->mapTo(workspace, QPoint(0, 0));
  const QRect shown = QRect(origin, client.size()).intersected(workspace->rect());
  if (shown.isEmpty()) return client;
  return shown.translated(-origin);
}

CViewWidget::CAnchoredPoint CViewWidget::Anchor(CPoint point) const {
  // Above the matrix the trees shrink as the zoom grows, so the cells move in layout units:
  // a point at or below the top frame keeps its place relative to the matrix.
  const CRect matrix = picture_->Zone(EPictureZone::kMatrix);
  const int frameBottom = std::max(picture_->Zone(EPictureZone::kTitle).bottom,
                                   picture_->Zone(EPictureZone::kScaleBar).bottom);
  if (point.y < frameBottom) return {false, point};
  return {true, {point.x - matrix.left, point.y - matrix.top}};
}

CPoint CViewWidget::Resolve(const CAnchoredPoint& anchored) const {
  if (!anchored.fromMatrix) return anchored.offset;
  const CRect matrix = picture_->Zone(EPictureZone::kMatrix);
  return {matrix.left + anchored.offset.x, matrix.top + anchored.offset.y};
}

void CViewWidget::FitToClient() {
  const QSize visible = VisibleClientRect().size();
  const CSize client{visible.width(), visible.height()};
  if (client.cx <= 0 || client.cy <= 0) return;
  const auto apply = [this](double zoom) {
    view_->zoom = std::min(zoom, kMaximumZoom);
    picture_->MutableInput().zoom = view_->zoom;
    picture_->RecomputeLayout(measurer_);
  };
  // The tree depths depend on the zoom: lay out again at the fitted zoom until it settles.
  for (int pass = 0; pass < kFitPasses; ++pass) {
    const double fitted = FitZoom(picture_->PictureSize(), client);
    if (!(fitted > 0.0) || fitted == view_->zoom) break;
    apply(fitted);
  }
  // Where it has not settled, the picture is made to fit rather than to overflow by a pixel.
  for (int pass = 0; pass < kFitPasses; ++pass) {
    const CSize zoomed = ZoomedSize(picture_->PictureSize(), view_->zoom);
    if (zoomed.cx <= client.cx && zoomed.cy <= client.cy) break;
    const double shrink = std::min(static_cast<double>(client.cx) / std::max(1, zoomed.cx),
                                   static_cast<double>(client.cy) / std::max(1, zoomed.cy));
    apply(view_->zoom * shrink * 0.999);
  }
}

QRect CViewWidget::ZoomedInClientRect(CSize zoomedPicture) const {
  QRect shown = VisibleClientRect();
  // A scroll bar that the larger picture needs takes its room from what the window shows.
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  if (!horizontalScrollBar()->isVisible() && zoomedPicture.cx > viewport()->width()) {
    shown.setHeight(std::max(1, shown.height() - bar));
  }
  if (!verticalScrollBar()->isVisible() && zoomedPicture.cy > viewport()->height()) {
    shown.setWidth(std::max(1, shown.width() - bar));
  }
  return shown;
}

void CViewWidget::UpdateScrollBars() {
  const CSize zoomed = ZoomedPictureSize();
  const QSize client = viewport()->size();
  const CSize line{std::max(1, static_cast<int>(picture_->Hx() * view_->zoom)),
                   std::max(1, static_cast<int>(picture_->Hy() * view_->zoom))};
  horizontalScrollBar()->setRange(0, std::max(0, zoomed.cx - client.width()));
  verticalScrollBar()->setRange(0, std::max(0, zoomed.cy - client.height()));
  horizontalScrollBar()->setPageStep(std::max(1, std::min(client.width(), line.cx * 10)));
  verticalScrollBar()->setPageStep(std::max(1, std::min(client.height(), line.cy * 10)));
  horizontalScrollBar()->setSingleStep(line.cx);
  verticalScrollBar()->setSingleStep(line.cy);
}

void CViewWidget::ModelChanged(bool fitFrame) {
  if (view_ == nullptr) return;
  Relayout();
  if (fitFrame) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) FitFrame(*frame);
  }
  viewport()->update();
}

void CViewWidget::FitFrame(QMdiSubWindow& frame) {
  if (frame.isMaximized()) return;
  const CSize zoomed = ZoomedPictureSize();
  const QSize decoration = frame.size() - viewport()->size();
  QSize wanted(zoomed.cx + decoration.width() + 2, zoomed.cy + decoration.height() + 2);
  wanted = wanted.expandedTo(kSmallestFrame);
  if (QMdiArea* area = frame.mdiArea()) {
    // The frame ends inside the workspace, close button, scroll bars and last rows in sight;
    // a frame placed too near the edge for a usable window goes back to the corner.
    const QSize workspace = area->viewport()->size();
    QPoint at = frame.pos();
    if (at.x() + kSmallestFrame.width() > workspace.width() ||
        at.y() + kSmallestFrame.height() > workspace.height()) {
      at = QPoint(0, 0);
      frame.move(at);
    }
    const QSize room(std::max(1, workspace.width() - at.x()),
                     std::max(1, workspace.height() - at.y()));
    wanted = wanted.boundedTo(room);
  }
  frame.resize(wanted);
  Relayout();
}

void CViewWidget::ZoomAt(double zoom, CPoint point) {
  if (view_ == nullptr) return;
  if (!(zoom > 0.0) || zoom > kMaximumZoom) return;
  const QPoint before = ToPixel(point);
  const CAnchoredPoint anchored = Anchor(point);
  view_->zoom = zoom;
  view_->fitToWindow = false;
  Relayout();
  const QPoint after = ToPixel(Resolve(anchored));
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() + after.x() - before.x());
  verticalScrollBar()->setValue(verticalScrollBar()->value() + after.y() - before.y());
  viewport()->update();
  app_->MainWindow().RefreshCommandStates();
}

void CViewWidget::paintEvent(QPaintEvent*) {
  if (view_ == nullptr) return;
  QPainter painter(viewport());
  const CSize zoomed = ZoomedPictureSize();
  // The part of the window the picture does not cover takes the picture's background.
  const ColorRef background = ScreenBackground(view_->Document().display);
  painter.fillRect(viewport()->rect(), QColor(static_cast<int>(RedOf(background)),
                                              static_cast<int>(GreenOf(background)),
                                              static_cast<int>(BlueOf(background))));
  CScreenDC device(painter, false);
  device.PrepareZoom(picture_->PictureSize(), picture_->Input().zoom, ScrollPosition());
  const bool margin = zoomed.cx < viewport()->width() || zoomed.cy < viewport()->height();
  picture_->DrawPicture(device, margin);
  PaintFound(painter);
}

void CViewWidget::ShowFound(bool rows, std::vector<char> matchedItems, int currentItem) {
  foundRows_ = rows;
  foundItems_ = std::move(matchedItems);
  currentFoundItem_ = currentItem;
  viewport()->update();
}

void CViewWidget::ClearFound() {
  if (foundItems_.empty() && currentFoundItem_ < 0) return;
  foundItems_.clear();
  currentFoundItem_ = -1;
  viewport()->update();
}

void CViewWidget::SelectFoundPosition(int position) {
  if (view_ == nullptr) return;
  const bool rows = view_->Document().switches.rowsActive;
  if (position < 0 || position >= view_->Side(rows).count) return;
  SelectActivePosition(*view_, position);
  app_->SelectionChanged(*view_);
  ScrollToPosition(rows, position);
  viewport()->update();
}

void CViewWidget::ScrollToPosition(bool rows, int position) {
  const CCellBounds& bounds = rows ? picture_->RowBounds() : picture_->ColumnBounds();
  if (position < 0 || position >= bounds.Count()) return;
  const CRect matrix = picture_->Zone(EPictureZone::kMatrix);
  const size_t at = static_cast<size_t>(position);
  const QRect shown = VisibleClientRect();
  if (rows) {
    const int top = ToPixel({matrix.left, matrix.top + bounds.starts[at]}).y();
    const int bottom = ToPixel({matrix.left, matrix.top + bounds.ends[at]}).y();
    if (top >= shown.top() && bottom <= shown.bottom() + 1) return;
    // The match comes to the middle of what the window shows.
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + (top + bottom) / 2 - shown.center().y());
  } else {
    const int left = ToPixel({matrix.left + bounds.starts[at], matrix.top}).x();
    const int right = ToPixel({matrix.left + bounds.ends[at], matrix.top}).x();
    if (left >= shown.left() && right <= shown.right() + 1) return;
    QScrollBar* bar = horizontalScrollBar();
    bar->setValue(bar->value() + (left + right) / 2 - shown.center().x());
  }
}

void CViewWidget::PaintFound(QPainter& painter) const {
  if (foundItems_.empty() || view_ == nullptr || picture_->TooLarge()) return;
  const CTree& side = view_->Side(foundRows_);
  const CCellBounds& bounds = foundRows_ ? picture_->RowBounds() : picture_->ColumnBounds();
  const int count = std::min<int>(bounds.Count(), static_cast<int>(side.order.size()));
  if (count == 0) return;
  // The zones a match runs through: its cells and its labels.
  const CRect matrix = picture_->Zone(EPictureZone::kMatrix);
  std::vector<CRect> zones{matrix};
  const CRect labels =
      picture_->Zone(foundRows_ ? EPictureZone::kRowLabels : EPictureZone::kColumnLabels);
  if (!labels.IsEmpty()) zones.push_back(labels);
  // Only the positions in sight are looked at: a large table repaints as fast as a small one.
  const QRect client = viewport()->rect();
  const CPoint firstPoint = ToLayout(client.topLeft());
  const CPoint lastPoint = ToLayout(client.bottomRight());
  const int from = foundRows_ ? firstPoint.y - matrix.top : firstPoint.x - matrix.left;
  const int to = foundRows_ ? lastPoint.y - matrix.top : lastPoint.x - matrix.left;
  const int first = std::max(0, bounds.PositionAt(from));
  const int last = std::min(count - 1, bounds.PositionAt(to));
  const QColor band(255, 230, 0, 90);
  const QColor current(255, 160, 0, 150);
  painter.save();
  painter.setPen(Qt::NoPen);
  for (int position = first; position <= last; ++position) {
    const int item = side.order[static_cast<size_t>(position)];
    if (item < 0 || static_cast<size_t>(item) >= foundItems_.size() ||
        !foundItems_[static_cast<size_t>(item)]) {
      continue;
    }
    const int start = bounds.starts[static_cast<size_t>(position)];
    const int end = bounds.ends[static_cast<size_t>(position)];
    painter.setBrush(item == currentFoundItem_ ? current : band);
    for (const CRect& zone : zones) {
      const CRect layout =
          foundRows_ ? CRect{zone.left, matrix.top + start, zone.right, matrix.top + end}
                     : CRect{matrix.left + start, zone.top, matrix.left + end, zone.bottom};
      const QPoint topLeft = ToPixel({layout.left, layout.top});
      const QPoint bottomRight = ToPixel({layout.right, layout.bottom});
      // At least a pixel across, so that a match in a dense table still shows.
      QRect rect(topLeft, bottomRight - QPoint(1, 1));
      if (rect.width() < 1) rect.setWidth(1);
      if (rect.height() < 1) rect.setHeight(1);
      painter.drawRect(rect);
    }
  }
  painter.restore();
}

void CViewWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (view_ == nullptr) return;
  if (view_->fitToWindow) {
    Relayout();
  } else {
    picture_->MutableInput().clientSize = {viewport()->width(), viewport()->height()};
    UpdateScrollBars();
  }
}

CViewWidget::ToolMode CViewWidget::ToolFor(Qt::KeyboardModifiers modifiers) const {
  if (fixedTool_ != ToolMode::kNone) return fixedTool_;
  if ((modifiers & Qt::ControlModifier) && (modifiers & Qt::ShiftModifier)) {
    return ToolMode::kZoomOutAtPoint;
  }
  if (modifiers & Qt::ControlModifier) return ToolMode::kZoomInBand;
  return ToolMode::kNone;
}

void CViewWidget::mousePressEvent(QMouseEvent* event) {
  if (view_ == nullptr) return;
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  const QPoint pixel = event->position().toPoint();
  const CPoint point = ToLayout(pixel);
  switch (ToolFor(event->modifiers())) {
    case ToolMode::kZoomInBand:
      bandOrigin_ = pixel;
      if (!rubberBand_) rubberBand_ = new QRubberBand(QRubberBand::Rectangle, viewport());
      rubberBand_->setGeometry(QRect(bandOrigin_, QSize()));
      rubberBand_->show();
      viewport()->setCursor(Qt::CrossCursor);
      return;
    case ToolMode::kZoomOutAtPoint:
      ZoomAt(ZoomedOut(view_->zoom, kMouseZoomFactor), point);
      return;
    case ToolMode::kNone:
      break;
  }
  PressAt(*view_, *picture_, point);
  dragAnchor_ = ActivePositionAt(*view_, *picture_, point);
  selecting_ = true;
  viewport()->setCursor(Qt::CrossCursor);
  app_->SelectionChanged(*view_);
  // The average profile and the selection lines follow the new selection.
  viewport()->update();
}

void CViewWidget::mouseMoveEvent(QMouseEvent* event) {
  if (view_ == nullptr) return;
  const QPoint pixel = event->position().toPoint();
  const CPoint point = ToLayout(pixel);
  if (rubberBand_ && rubberBand_->isVisible()) {
    rubberBand_->setGeometry(QRect(bandOrigin_, pixel).normalized());
    return;
  }
  if (selecting_ && (event->buttons() & Qt::LeftButton)) {
    if (DragTo(*view_, *picture_, dragAnchor_, point)) {
      app_->SelectionChanged(*view_);
      viewport()->update();
    }
    return;
  }
  if (event->buttons() == Qt::NoButton) {
    if (view_->Document().switches.browseDataValues) {
      ShowBrowseText(event->globalPosition().toPoint(), point);
    } else if (const std::string strip = picture_->AnnotationTextAt(point); !strip.empty()) {
      // The tip goes as soon as the pointer moves on; the next move shows the next cell's.
      QToolTip::showText(event->globalPosition().toPoint(), QString::fromStdString(strip),
                         viewport(), QRect(pixel - QPoint(2, 2), QSize(5, 5)));
    }
    if (HighlightAt(*view_, *picture_, point, highlighted_)) viewport()->update();
  }
}

void CViewWidget::ShowBrowseText(QPoint globalPixel, CPoint point) {
  const CBrowseText text = BrowseAt(*view_, *picture_, point);
  if (text.value.empty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(globalPixel, QString::fromStdString(text.value), viewport());
  }
  app_->ShowPointerText(text.position);
}

void CViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (view_ == nullptr) return;
  if (event->button() != Qt::LeftButton) return;
  viewport()->setCursor(Qt::ArrowCursor);
  if (rubberBand_ && rubberBand_->isVisible()) {
    FinishRubberBand(event->position().toPoint());
    return;
  }
  selecting_ = false;
}

void CViewWidget::FinishRubberBand(QPoint end) {
  rubberBand_->hide();
  const QRect band = QRect(bandOrigin_, end).normalized();
  const CPoint first = ToLayout(band.topLeft());
  const CPoint last = ToLayout(band.bottomRight());
  const CPoint centre{(first.x + last.x) / 2, (first.y + last.y) / 2};
  if (band.width() < kSmallBand && band.height() < kSmallBand) {
    if (auto zoomed = ZoomedIn(view_->zoom, kMouseZoomFactor)) ZoomAt(*zoomed, centre);
    return;
  }
  const CRect rect{first.x, first.y, last.x, last.y};
  QRect visible = VisibleClientRect();
  auto zoom = RubberBandZoom(rect, {visible.width(), visible.height()});
  if (!zoom) return;
  visible = ZoomedInClientRect(ZoomedSize(picture_->PictureSize(), *zoom));
  zoom = RubberBandZoom(rect, {visible.width(), visible.height()});
  if (!zoom) return;
  // The layout changes with the zoom (the trees keep their screen size): the band's centre is
  // found again in the new layout before it is brought to the middle of what the window shows.
  const CAnchoredPoint anchored = Anchor(centre);
  view_->zoom = *zoom;
  view_->fitToWindow = false;
  Relayout();
  const QPoint at = ToPixel(Resolve(anchored));
  const QPoint middle = visible.center();
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() + at.x() - middle.x());
  verticalScrollBar()->setValue(verticalScrollBar()->value() + at.y() - middle.y());
  viewport()->update();
  app_->MainWindow().RefreshCommandStates();
}

void CViewWidget::wheelEvent(QWheelEvent* event) {
  if (view_ == nullptr) return;
  if (!(event->modifiers() & Qt::ControlModifier)) {
    QAbstractScrollArea::wheelEvent(event);
    return;
  }
  const CPoint point = ToLayout(event->position().toPoint());
  if (event->angleDelta().y() > 0) {
    if (auto zoomed = ZoomedIn(view_->zoom, kMouseZoomFactor)) ZoomAt(*zoomed, point);
  } else if (event->angleDelta().y() < 0) {
    ZoomAt(ZoomedOut(view_->zoom, kMouseZoomFactor), point);
  }
  event->accept();
}

void CViewWidget::leaveEvent(QEvent* event) {
  QAbstractScrollArea::leaveEvent(event);
  if (view_ == nullptr) return;
  CHighlight none;
  if (HighlightAt(*view_, *picture_, CPoint{-1000000, -1000000}, highlighted_)) {
    viewport()->update();
  }
  highlighted_ = none;
  QToolTip::hideText();
  app_->ShowPointerText({});
}

void CViewWidget::contextMenuEvent(QContextMenuEvent* event) {
  if (view_ == nullptr) return;
  app_->MainWindow().ShowContextMenu(event->globalPos());
}

void CViewWidget::RenderPrintPage(QPainter& painter, QSize page, bool keepHairlines) {
  CScreenDC device(painter, true);
  device.KeepHairlines(keepHairlines);
  const CSize total = picture_->PictureSize();
  device.SetWindowOrg(0, -kPrintHeaderHeight);
  device.PreparePrinting({total.cx, total.cy + kPrintHeaderHeight}, {page.width(), page.height()});
  const CPictureInput& input = picture_->Input();
  DrawPrintHeader(device, input.path, CRect{0, 0, total.cx, total.cy}, input.treePen);
  picture_->DrawPicture(device, false);
}

void CViewWidget::Print(bool preview) {
  if (view_ == nullptr) return;
  QPrinter printer(QPrinter::HighResolution);
  auto render = [this](QPrinter* target) {
    QPainter painter(target);
    const QRect page = target->pageLayout().paintRectPixels(target->resolution());
    // The preview records the page at the printer's resolution and shows it much smaller.
    const bool previewing =
        painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Picture;
    RenderPrintPage(painter, page.size(), previewing);
  };
  if (preview) {
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setObjectName("printPreview");
    // Large enough to read the page: most of the program's window.
    const QWidget* main = window();
    const QSize room = main && main->isVisible() ? main->size()
                       : screen()                ? screen()->availableGeometry().size()
                                                 : QSize(1024, 768);
    dialog.resize(room * kPreviewShare);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, render);
    dialog.exec();
    return;
  }
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) render(&printer);
}
