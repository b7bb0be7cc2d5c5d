// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CommandIcons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "shell/CommandIds.h"

namespace {

constexpr int kSize = 24;

void DrawDendrogram(QPainter& painter, QRect box) {
  // Half-width glyphs keep their lines apart with a thinner pen.
  painter.setPen(QPen(QColor(20, 60, 150), box.width() < kSize / 2 + 2 ? 1 : 2));
  const int x0 = box.left() + 1, x1 = box.left() + box.width() / 3,
            x2 = box.left() + 2 * box.width() / 3, x3 = box.right() - 1;
  const int bottom = box.bottom() - 1, mid = box.top() + box.height() / 2, top = box.top() + 2;
  painter.drawLine(x0, bottom, x0, mid);
  painter.drawLine(x1, bottom, x1, mid);
  painter.drawLine(x0, mid, x1, mid);
  painter.drawLine(x2, bottom, x2, mid + 3);
  painter.drawLine(x3, bottom, x3, mid + 3);
  painter.drawLine(x2, mid + 3, x3, mid + 3);
  const int left = (x0 + x1) / 2, right = (x2 + x3) / 2;
  painter.drawLine(left, mid, left, top);
  painter.drawLine(right, mid + 3, right, top);
  painter.drawLine(left, top, right, top);
}

void DrawOrderedBars(QPainter& painter, QRect box) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(220, 110, 20));
  const int bars = box.width() < kSize / 2 + 2 ? 3 : 4;
  const int width = box.width() / bars;
  for (int k = 0; k < bars; ++k) {
    const int height = box.height() * (k + 1) / bars;
    painter.drawRect(box.left() + k * width + 1, box.bottom() - height + 1, width - 2, height);
  }
}

void DrawSide(QPainter& painter, const QString& side) {
  QFont font = painter.font();
  font.setPixelSize(9);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QRect corner(kSize - 14, kSize - 10, 14, 10);
  painter.fillRect(corner, QColor(255, 255, 255, 220));
  painter.drawText(corner, Qt::AlignCenter, side);
}

QIcon Drawn(bool cluster, bool seriate, const QString& side) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, false);
  if (cluster && seriate) {
    DrawDendrogram(painter, QRect(0, 2, kSize / 2, kSize - 4));
    DrawOrderedBars(painter, QRect(kSize / 2, 4, kSize / 2, kSize - 6));
  } else if (cluster) {
    DrawDendrogram(painter, QRect(2, 1, kSize - 4, kSize - 3));
  } else {
    DrawOrderedBars(painter, QRect(2, 3, kSize - 4, kSize - 4));
  }
  if (!side.isEmpty()) DrawSide(painter, side);
  painter.end();
  return QIcon(pixmap);
}

QIcon Standard(QStyle::StandardPixmap pixmap) {
  return QApplication::style()->standardIcon(pixmap);
}

}  // namespace

QIcon CommandIcon(int command) {
  switch (command) {
    case cmd::kNew:
      return Standard(QStyle::SP_FileIcon);
    case cmd::kOpen:
      return Standard(QStyle::SP_DialogOpenButton);
    case cmd::kSave:
      return Standard(QStyle::SP_DialogSaveButton);
    case cmd::kExport:
      return QIcon::fromTheme("edit-copy", Standard(QStyle::SP_DialogApplyButton));
    case cmd::kPrint:
      return QIcon::fromTheme("document-print", Standard(QStyle::SP_FileDialogDetailedView));
    case cmd::kAbout:
      return Standard(QStyle::SP_MessageBoxInformation);
    case cmd::kZoomIn:
      return Standard(QStyle::SP_ArrowUp);
    case cmd::kZoomOut:
      return Standard(QStyle::SP_ArrowDown);
    case cmd::kZoomDelete:
      return Standard(QStyle::SP_BrowserReload);
    case cmd::kFitToWindow:
      return Standard(QStyle::SP_TitleBarMaxButton);
    case cmd::kLeaveFullScreen:
      return Standard(QStyle::SP_TitleBarNormalButton);
    case cmd::kClusterActiveSide:
      return Drawn(true, false, "");
    case cmd::kSeriateActiveSide:
      return Drawn(false, true, "");
    case cmd::kClusterSeriateActiveSide:
      return Drawn(true, true, "");
    case cmd::kClusterSeriateRows:
      return Drawn(true, true, "R");
    case cmd::kClusterSeriateColumns:
      return Drawn(true, true, "C");
    case cmd::kClusterSeriateBothSides:
      return Drawn(true, true, "RC");
    default:
      return QIcon();
  }
}
