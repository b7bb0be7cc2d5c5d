// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MethodChooser.h"

#include <QAbstractItemView>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "settings/Choices.h"

namespace {

constexpr int kShownCharacters = 12;
// Room beside the text inside the box (its frame takes the rest).
constexpr int kTextMargin = 8;
constexpr int kListMargin = 24;

template <typename E>
void AddChoices(QComboBox& box, std::span<const CChoice<E>> choices) {
  for (const CChoice<E>& choice : choices) {
    box.addItem(QString::fromUtf8(choice.caption), CodeOf(choice.code));
  }
}

}  // namespace

CMethodChooser::CMethodChooser(CMethodKind kind, QWidget* parent) : QComboBox(parent), kind_(kind) {
  switch (kind) {
    case CMethodKind::kLinkage:
      AddChoices(*this, LinkageChoices());
      break;
    case CMethodKind::kSeriation:
      AddChoices(*this, SeriationChoices());
      break;
    case CMethodKind::kTreeSeriation:
      AddChoices(*this, TreeSeriationChoices());
      break;
  }
  listedCount_ = count();
  view()->setMinimumWidth(view()->sizeHintForColumn(0) + kListMargin);
  connect(this, &QComboBox::currentTextChanged, this, [this] { updateGeometry(); });
  setEnabled(false);
}

void CMethodChooser::ShowChoice(std::optional<int> code) {
  const QSignalBlocker blocker(this);
  const QString before = currentText();
  setEnabled(code.has_value());
  while (count() > listedCount_)
    removeItem(count() - 1);
  if (!code || *code < 0) {
    setCurrentIndex(-1);
  } else {
    int index = findData(*code);
    if (index < 0) {
      addItem(QString::number(*code), *code);
      index = count() - 1;
    }
    setCurrentIndex(index);
  }
  if (currentText() != before) updateGeometry();
}

int CMethodChooser::CodeAt(int index) const {
  return itemData(index).toInt();
}

QSize CMethodChooser::sizeHint() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  const QFontMetrics metrics = fontMetrics();
  // Without a choice, room for a short caption, so that the bar does not jump much.
  const int textWidth = currentIndex() >= 0
                            ? metrics.horizontalAdvance(currentText())
                            : metrics.horizontalAdvance(QString(kShownCharacters, QChar('x')));
  const QSize contents(textWidth + kTextMargin, metrics.height());
  return style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this);
}

QSize CMethodChooser::minimumSizeHint() const {
  return sizeHint();
}
