// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/StatusPane.h"

namespace {

constexpr int kMargin = 8;
constexpr int kSmallestWidth = 24;
// Widths grow and shrink by this much.
constexpr int kWidthStep = 16;

}  // namespace

CStatusPane::CStatusPane(QWidget* parent) : QLabel(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize CStatusPane::sizeHint() const {
  const int content = fontMetrics().horizontalAdvance(text()) + kMargin + 2 * frameWidth() +
                      contentsMargins().left() + contentsMargins().right();
  const int width = std::max(kSmallestWidth, (content + kWidthStep - 1) / kWidthStep * kWidthStep);
  return QSize(width, QLabel::sizeHint().height());
}

QSize CStatusPane::minimumSizeHint() const {
  return sizeHint();
}
