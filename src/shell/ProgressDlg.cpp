// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ProgressDlg.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/MessageLayout.h"

namespace {

// Pending events are processed at most this often: often enough for a responsive window, rare
// enough not to slow steps of a few microseconds.
constexpr qint64 kEventIntervalMs = 15;
// The bar moves in at most this many steps: a step of a large computation takes microseconds,
// and redrawing the bar for each one took longer than the computation.
constexpr int kBarSteps = 500;

}  // namespace

CProgressDlg::CProgressDlg(std::string_view caption, int range, bool withStopButton,
                           QWidget* parent)
    : QDialog(nullptr) {
  // No Qt parent: the object belongs to whoever opened it, and a parent window closing first
  // must not delete it under its owner. `parent` only places the window.
  setWindowTitle("Quorvel");
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  setWindowModality(Qt::ApplicationModal);
  captionText_ = ToQString(caption);
  caption_ = new QLabel(captionText_, this);
  caption_->setObjectName("caption");
  range_ = range > 0 ? range : 1;
  bar_ = new QProgressBar(this);
  bar_->setObjectName("bar");
  bar_->setRange(0, range_);
  bar_->setValue(0);
  bar_->setMinimumWidth(320);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addWidget(bar_);
  if (withStopButton) {
    stop_ = new QPushButton("Stop", this);
    stop_->setObjectName("stop");
    connect(stop_, &QPushButton::clicked, this, [this] { stopRequested_ = true; });
    layout->addWidget(stop_, 0, Qt::AlignHCenter);
  }
  layout->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  const QWidget* over = parent ? parent->window() : QApplication::activeWindow();
  const QRect area = over ? over->frameGeometry()
                          : (screen() ? screen()->availableGeometry() : QRect(0, 0, 800, 600));
  move(area.center() - rect().center());
  show();
  raise();
  QCoreApplication::processEvents();
  sinceEvents_.start();
}

CProgressDlg::~CProgressDlg() {
  hide();
}

void CProgressDlg::Step() {
  ++steps_;
  if (steps_ <= range_) {
    if (steps_ == range_ || (steps_ - bar_->value()) * kBarSteps >= range_) bar_->setValue(steps_);
  } else {
    // More steps than announced (the improvement loops run until nothing improves): the bar
    // never runs back; it turns into a busy bar and the caption counts the passes.
    if (bar_->maximum() != 0) bar_->setRange(0, 0);
    caption_->setText(captionText_ + QString("\nPass %1").arg(steps_));
  }
  if (sinceEvents_.elapsed() >= kEventIntervalMs) {
    QCoreApplication::processEvents();
    sinceEvents_.restart();
  }
}

int CProgressDlg::Position() const {
  return steps_;
}
