// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ZoomPalette.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "render/Zoom.h"

CZoomPalette::CZoomPalette(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  // Typing never adds items, and never completes "1" into "100%".
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  for (const char* item : {"100%", " - ", "Fit", "5%", "10%", "25%", "50%", "75%", "100%", "125%",
                           "150%", "200%", "300%"}) {
    addItem(item);
  }
  setCurrentIndex(0);
  setEnabled(false);
  connect(lineEdit(), &QLineEdit::returnPressed, this, [this] { emit zoomTyped(currentText()); });
}

void CZoomPalette::ShowZoom(std::optional<double> zoom, bool now) {
  if (!now && lineEdit()->hasFocus() && lineEdit()->isModified()) return;
  const QSignalBlocker blocker(this);
  setEnabled(zoom.has_value());
  if (zoom) setItemText(0, QString::number(ZoomPercent(*zoom)) + "%");
  setCurrentIndex(0);
  lineEdit()->setText(itemText(0));
  lineEdit()->setModified(false);
}
