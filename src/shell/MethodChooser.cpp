#include "shell/MethodChooser.h"

#include <QAbstractItemView>
#include <QSignalBlocker>

#include "settings/Choices.h"

namespace {

constexpr int kShownCharacters = 18;
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
