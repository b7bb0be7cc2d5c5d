// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/FindBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"
#include "shell/LabelSearch.h"
#include "shell/ViewWidget.h"
#include "tree/Tree.h"

namespace {

QString CountText(int count) {
  if (count == 0) return "No match";
  return count == 1 ? QString("1 match") : QString("%1 matches").arg(count);
}

}  // namespace

CFindBar::CFindBar(std::function<CViewWidget*()> activeWidget,
                   std::function<void(const QString&)> report, QWidget* parent)
    : QWidget(parent), activeWidget_(std::move(activeWidget)), report_(std::move(report)) {
  setObjectName("findBar");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 3, 6, 3);
  layout->addWidget(new QLabel("Find:", this));
  field_ = new QLineEdit(this);
  field_->setObjectName("findText");
  field_->setClearButtonEnabled(true);
  field_->setPlaceholderText("Label of a row or column of the active side");
  field_->setMinimumWidth(260);
  field_->installEventFilter(this);
  layout->addWidget(field_);
  previous_ = new QToolButton(this);
  previous_->setObjectName("findPrevious");
  previous_->setArrowType(Qt::UpArrow);
  previous_->setToolTip("Previous match (Shift+Enter)");
  layout->addWidget(previous_);
  next_ = new QToolButton(this);
  next_->setObjectName("findNext");
  next_->setArrowType(Qt::DownArrow);
  next_->setToolTip("Next match (Enter)");
  layout->addWidget(next_);
  regularExpression_ = new QCheckBox("Regular expression", this);
  regularExpression_->setObjectName("findRegularExpression");
  layout->addWidget(regularExpression_);
  message_ = new QLabel(this);
  message_->setObjectName("findMessage");
  layout->addWidget(message_, 1);
  auto* close = new QToolButton(this);
  close->setObjectName("findClose");
  close->setText(QString::fromUtf8("\u2715"));
  close->setAutoRaise(true);
  close->setToolTip("Close the find bar (Escape)");
  layout->addWidget(close);

  connect(field_, &QLineEdit::textChanged, this, [this] { Search(); });
  connect(regularExpression_, &QCheckBox::toggled, this, [this] { Search(); });
  connect(next_, &QToolButton::clicked, this, [this] { Step(true); });
  connect(previous_, &QToolButton::clicked, this, [this] { Step(false); });
  connect(close, &QToolButton::clicked, this, [this] { Close(); });
  hide();
}

void CFindBar::Open() {
  show();
  field_->setFocus(Qt::ShortcutFocusReason);
  field_->selectAll();
  Search();
}

void CFindBar::Close() {
  ForgetHighlight();
  hide();
  status_.clear();
  report_(QString());
  if (CViewWidget* widget = activeWidget_()) widget->setFocus(Qt::OtherFocusReason);
}

void CFindBar::Search() {
  Run(0);
}

void CFindBar::Refresh() {
  if (isVisible()) Run(0, false);
}

void CFindBar::Step(bool forward) {
  if (!isVisible()) {
    Open();
    return;
  }
  Run(forward ? 1 : -1);
}

void CFindBar::ForgetHighlight() {
  if (highlighted_) highlighted_->ClearFound();
  highlighted_ = nullptr;
  currentItem_ = -1;
}

void CFindBar::ShowStatus(const QString& text, bool error) {
  status_ = text;
  message_->setText(text);
  message_->setStyleSheet(error ? "color: #b00020;" : QString());
  report_(text);
}

void CFindBar::Run(int step, bool select) {
  CViewWidget* widget = activeWidget_();
  if (widget != highlighted_) {
    ForgetHighlight();
    highlighted_ = widget;
  }
  if (widget == nullptr) {
    ShowStatus(field_->text().isEmpty() ? QString() : "No window to search", false);
    return;
  }
  const bool rows = widget->Model().Document().switches.rowsActive;
  const CTree& side = widget->Model().Side(rows);
  const CLabelSearch found = SearchLabels(side, field_->text(), regularExpression_->isChecked());
  if (!found.error.isEmpty()) {
    widget->ClearFound();
    currentItem_ = -1;
    ShowStatus("Invalid regular expression: " + found.error, true);
    return;
  }
  if (found.positions.empty()) {
    widget->ClearFound();
    currentItem_ = -1;
    ShowStatus(field_->text().isEmpty() ? QString() : CountText(0), !field_->text().isEmpty());
    return;
  }
  const int count = static_cast<int>(found.positions.size());
  // Where the current match stands now (the order may have changed since it was found).
  int index = -1;
  for (int k = 0; k < count && currentItem_ >= 0; ++k) {
    if (side.order[static_cast<size_t>(found.positions[static_cast<size_t>(k)])] == currentItem_)
      index = k;
  }
  std::vector<char> matched(side.order.size(), 0);
  for (const int p : found.positions) {
    const int item = side.order[static_cast<size_t>(p)];
    if (item >= 0 && static_cast<size_t>(item) < matched.size())
      matched[static_cast<size_t>(item)] = 1;
  }
  if (!select) {
    if (index < 0) currentItem_ = -1;
    widget->ShowFound(rows, std::move(matched), currentItem_);
    ShowStatus(CountText(count), false);
    return;
  }
  if (step == 0 || index < 0) {
    index = step < 0 ? count - 1 : 0;
  } else {
    index = (index + step + count) % count;
  }
  const int position = found.positions[static_cast<size_t>(index)];
  currentItem_ = side.order[static_cast<size_t>(position)];
  widget->SelectFoundPosition(position);
  widget->ShowFound(rows, std::move(matched), currentItem_);
  ShowStatus(step == 0 ? CountText(count) : QString("Match %1 of %2").arg(index + 1).arg(count),
             false);
}

bool CFindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        Step(!(key->modifiers() & Qt::ShiftModifier));
        return true;
      case Qt::Key_Escape:
        Close();
        return true;
      case Qt::Key_Down:
      case Qt::Key_Up:
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) break;
        Step(key->key() == Qt::Key_Down);
        return true;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}
