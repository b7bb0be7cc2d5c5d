// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/LabelSearch.h"

#include <QRegularExpression>
#include <algorithm>

#include "qt/LabelString.h"
#include "tree/Tree.h"

CLabelSearch SearchLabels(const CTree& side, const QString& text, bool regularExpression) {
  CLabelSearch found;
  if (text.isEmpty() || side.labels == nullptr) return found;
  const std::vector<std::string>& labels = *side.labels;
  QRegularExpression pattern;
  if (regularExpression) {
    pattern = QRegularExpression(text, QRegularExpression::CaseInsensitiveOption);
    if (!pattern.isValid()) {
      found.error = pattern.errorString();
      return found;
    }
  }
  const int count = std::min<int>(side.count, static_cast<int>(side.order.size()));
  for (int position = 0; position < count; ++position) {
    const int item = side.order[static_cast<size_t>(position)];
    if (item < 0 || static_cast<size_t>(item) >= labels.size()) continue;
    const QString label = LabelString(labels[static_cast<size_t>(item)]);
    const bool matches = regularExpression ? pattern.match(label).hasMatch()
                                           : label.contains(text, Qt::CaseInsensitive);
    if (matches) found.positions.push_back(position);
  }
  return found;
}
