// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ClustersDlg.h"

#include <QColorDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/ClusterActions.h"

namespace {

constexpr int kIconSize = 20;
// The room a title bar takes beside its text: the window's icon and three buttons.
constexpr int kTitleBarButtonsRoom = 140;

QColor ToQColor(ColorRef color) {
  return QColor(static_cast<int>(RedOf(color)), static_cast<int>(GreenOf(color)),
                static_cast<int>(BlueOf(color)));
}

// The picture buttons: a filled mark, a crossed mark, and crossed marks.
QIcon MarkPicture(QColor fill, int marks, bool crossed) {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  for (int k = 0; k < marks; ++k) {
    const QRect box(2 + 5 * k, 2 + 5 * k, kIconSize - 4 - 5 * (marks - 1),
                    kIconSize - 4 - 5 * (marks - 1));
    painter.fillRect(box, fill);
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
  }
  if (crossed) {
    painter.setPen(QPen(QColor(200, 0, 0), 2));
    painter.drawLine(3, 3, kIconSize - 3, kIconSize - 3);
    painter.drawLine(kIconSize - 3, 3, 3, kIconSize - 3);
  }
  painter.end();
  return QIcon(pixmap);
}

}  // namespace

CClustersDlg::CClustersDlg(QWidget* parent)
    : QDialog(parent, Qt::Tool), color_(Rgb(128, 255, 255)) {
  setWindowTitle("Clusters Identification");
  setModal(false);

  buttons_ = new QWidget(this);
  buttons_->setObjectName("buttons");
  auto* grid = new QGridLayout(buttons_);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel("Color", buttons_), 0, 0);
  colorButton_ = new QToolButton(buttons_);
  colorButton_->setObjectName("color");
  colorButton_->setIconSize(QSize(kIconSize * 2, kIconSize));
  connect(colorButton_, &QToolButton::clicked, this, &CClustersDlg::AskColor);
  grid->addWidget(colorButton_, 0, 1);

  struct CAction {
    const char* caption;
    const char* name;
    int marks;
    bool crossed;
    void (CClusterActions::*run)();
  };
  const CAction actions[] = {
      {"Mark", "mark", 1, false, nullptr},
      {"Unmark", "unmark", 1, true, &CClusterActions::Unmark},
      {"Unmark All", "unmarkAll", 2, true, &CClusterActions::UnmarkAll},
  };
  int row = 1;
  for (const CAction& action : actions) {
    auto* button = new QPushButton(action.caption, buttons_);
    button->setObjectName(action.name);
    auto* picture = new QToolButton(buttons_);
    picture->setObjectName(QString(action.name) + "Picture");
    picture->setIconSize(QSize(kIconSize, kIconSize));
    const bool mark = action.run == nullptr;
    picture->setIcon(
        MarkPicture(mark ? ToQColor(color_) : QColor(235, 235, 235), action.marks, action.crossed));
    const auto run = [this, run = action.run] {
      if (!actions_) return;
      if (run) {
        (actions_->*run)();
      } else {
        actions_->Mark(color_);
      }
    };
    connect(button, &QPushButton::clicked, this, run);
    connect(picture, &QToolButton::clicked, this, run);
    grid->addWidget(button, row, 0);
    grid->addWidget(picture, row, 1);
    ++row;
  }

  hint_ = new QLabel("Select Rows or Columns", this);
  hint_->setObjectName("hint");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buttons_);
  layout->addWidget(hint_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // Wide enough for a window manager to show the whole title beside its icon and buttons.
  layout->addStrut(QFontMetrics(font()).horizontalAdvance(windowTitle()) + kTitleBarButtonsRoom);
  ShowColor();
  SetSelectionExists(false);
}

void CClustersDlg::SetSelectionExists(bool exists) {
  selectionExists_ = exists;
  buttons_->setVisible(exists);
  hint_->setVisible(!exists);
}

void CClustersDlg::ChooseColor(ColorRef color) {
  color_ = color == Rgb(0, 0, 0) ? Rgb(1, 1, 1) : color;
  ShowColor();
  if (actions_) actions_->Mark(color_);
}

void CClustersDlg::AskColor() {
  const QColor chosen = QColorDialog::getColor(ToQColor(color_), this, "Color");
  if (!chosen.isValid()) return;
  ChooseColor(Rgb(static_cast<unsigned>(chosen.red()), static_cast<unsigned>(chosen.green()),
                  static_cast<unsigned>(chosen.blue())));
}

void CClustersDlg::ShowColor() {
  QPixmap swatch(kIconSize * 2, kIconSize);
  swatch.fill(ToQColor(color_));
  colorButton_->setIcon(QIcon(swatch));
  if (auto* picture = findChild<QToolButton*>("markPicture")) {
    picture->setIcon(MarkPicture(ToQColor(color_), 1, false));
  }
}

void CClustersDlg::showEvent(QShowEvent* event) {
  if (!placed_) {
    placed_ = true;
    if (const QScreen* shown = screen()) {
      const QRect area = shown->availableGeometry();
      move(area.left() + area.width() * 2 / 3, area.top() + area.height() / 11);
    }
  }
  QDialog::showEvent(event);
}
