#include "shell/MethodChooser.h"

#include <QAbstractItemView>
#include <QSignalBlocker>

#include "settings/Choices.h"

namespace {

constexpr int kShownCharacters = 18;
constexpr int kListMargin = 24;

std::span<const CChoice> ChoicesOf(CMethodKind kind) {
  switch (kind) {
    case CMethodKind::kLinkage:
      return LinkageChoices();
    case CMethodKind::kSeriation:
      return SeriationChoices();
    case CMethodKind::kTreeSeriation:
      return TreeSeriationChoices();
  }
  return {};
}

}  // namespace

CMethodChooser::CMethodChooser(CMethodKind kind, QWidget* parent) : QComboBox(parent), kind_(kind) {
  for (const CChoice& choice : ChoicesOf(kind)) {
    addItem(QString::fromUtf8(choice.caption), choice.code);
  }
  listedCount_ = count();
  // Compact in the toolbar; the open list shows the whole captions.
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(kShownCharacters);
  view()->setMinimumWidth(view()->sizeHintForColumn(0) + kListMargin);
  setEnabled(false);
}

void CMethodChooser::ShowChoice(std::optional<int> code) {
  const QSignalBlocker blocker(this);
  setEnabled(code.has_value());
  while (count() > listedCount_)
    removeItem(count() - 1);
  if (!code || *code < 0) {
    setCurrentIndex(-1);
    return;
  }
  int index = findData(*code);
  if (index < 0) {
    addItem(QString::number(*code), *code);
    index = count() - 1;
  }
  setCurrentIndex(index);
}

int CMethodChooser::CodeAt(int index) const {
  return itemData(index).toInt();
}
