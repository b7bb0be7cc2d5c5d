#include "shell/ViewWidget.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRubberBand>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "document/PictureInputOf.h"
#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"
#include "qt/ScreenDC.h"
#include "render/ColorPainter.h"
#include "render/HeatMapPicture.h"
#include "render/Zoom.h"
#include "shell/DesktopApp.h"

namespace {

// Room above a printed picture for the header line.
constexpr int kPrintHeaderHeight = 30;
// The zoom step of the mouse tools and the wheel.
constexpr double kMouseZoomFactor = 1.25;
// Rubber bands smaller than this (device pixels, both ways) zoom in at their centre.
constexpr int kSmallBand = 10;

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

void CViewWidget::FitToClient() {
  const CSize client{viewport()->width(), viewport()->height()};
  if (client.cx <= 0 || client.cy <= 0) return;
  // The tree depths depend on the zoom: lay out once more at the fitted zoom.
  for (int pass = 0; pass < 2; ++pass) {
    const double fitted = FitZoom(picture_->PictureSize(), client);
    if (!(fitted > 0.0) || fitted == view_->zoom) break;
    view_->zoom = std::min(fitted, kMaximumZoom);
    picture_->MutableInput().zoom = view_->zoom;
    picture_->RecomputeLayout(measurer_);
  }
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
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
      const CSize zoomed = ZoomedPictureSize();
      QSize wanted(zoomed.cx + frame->width() - viewport()->width() + 2,
                   zoomed.cy + frame->height() - viewport()->height() + 2);
      if (QMdiArea* area = frame->mdiArea()) {
        wanted = wanted.boundedTo(area->viewport()->size());
      }
      if (!frame->isMaximized()) frame->resize(wanted.expandedTo(QSize(200, 150)));
      Relayout();
    }
  }
  viewport()->update();
}

void CViewWidget::ZoomAt(double zoom, CPoint point) {
  if (view_ == nullptr) return;
  if (!(zoom > 0.0) || zoom > kMaximumZoom) return;
  const QPoint before = ToPixel(point);
  view_->zoom = zoom;
  view_->fitToWindow = false;
  Relayout();
  const QPoint after = ToPixel(point);
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
    if (view_->Document().switches.browseDataValues)
      ShowBrowseText(event->globalPosition().toPoint(), point);
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
  const CSize client{viewport()->width(), viewport()->height()};
  const auto zoom = RubberBandZoom(CRect{first.x, first.y, last.x, last.y}, client);
  if (!zoom) return;
  view_->zoom = *zoom;
  view_->fitToWindow = false;
  Relayout();
  // The band's centre goes to the middle of the window.
  const QPoint at = ToPixel(centre);
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() + at.x() - client.cx / 2);
  verticalScrollBar()->setValue(verticalScrollBar()->value() + at.y() - client.cy / 2);
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

void CViewWidget::Print(bool preview) {
  if (view_ == nullptr) return;
  QPrinter printer(QPrinter::HighResolution);
  auto render = [this](QPrinter* target) {
    QPainter painter(target);
    CScreenDC device(painter, true);
    const CSize total = picture_->PictureSize();
    const QRect page = target->pageLayout().paintRectPixels(target->resolution());
    device.SetWindowOrg(0, -kPrintHeaderHeight);
    device.PreparePrinting({total.cx, total.cy + kPrintHeaderHeight},
                           {page.width(), page.height()});
    const CPictureInput& input = picture_->Input();
    DrawPrintHeader(device, input.path, CRect{0, 0, total.cx, total.cy}, input.treePen);
    picture_->DrawPicture(device, false);
  };
  if (preview) {
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, render);
    dialog.exec();
    return;
  }
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) render(&printer);
}
