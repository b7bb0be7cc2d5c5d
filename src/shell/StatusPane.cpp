#include "shell/StatusPane.h"

namespace {

constexpr int kMargin = 8;
constexpr int kSmallestWidth = 24;

}  // namespace

CStatusPane::CStatusPane(const QString& placeholder, QWidget* parent)
    : QLabel(parent), width_(fontMetrics().horizontalAdvance(placeholder) + kMargin) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QSize CStatusPane::sizeHint() const {
  return QSize(width_, QLabel::sizeHint().height());
}

QSize CStatusPane::minimumSizeHint() const {
  return QSize(kSmallestWidth, QLabel::minimumSizeHint().height());
}
