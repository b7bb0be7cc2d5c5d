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

}  // namespace

CProgressDlg::CProgressDlg(std::string_view caption, int range, bool withStopButton,
                           QWidget* parent)
    : QDialog(nullptr) {
  // No Qt parent: the object belongs to whoever opened it, and a parent window closing first
  // must not delete it under its owner. `parent` only places the window.
  setWindowTitle("Quorvel");
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  setWindowModality(Qt::ApplicationModal);
  caption_ = new QLabel(ToQString(caption), this);
  caption_->setObjectName("caption");
  bar_ = new QProgressBar(this);
  bar_->setRange(0, range > 0 ? range : 1);
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
  const int next = bar_->value() + 1;
  bar_->setValue(next > bar_->maximum() ? bar_->minimum() : next);
  if (sinceEvents_.elapsed() >= kEventIntervalMs) {
    QCoreApplication::processEvents();
    sinceEvents_.restart();
  }
}

int CProgressDlg::Position() const {
  return bar_->value();
}
