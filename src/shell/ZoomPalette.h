// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <optional>

// The zoom palette of the toolbar: the first item shows the current zoom ("%d%%"), then " - ",
// "Fit" and the percentages. Choosing another item leaves the first one shown. The box can be
// typed into: a percentage ("65" or "65%") or "Fit", sent with Return.
class CZoomPalette : public QComboBox {
  Q_OBJECT

 public:
  explicit CZoomPalette(QWidget* parent = nullptr);
  // Rewrites the first item; disabled without a window. While the user types, only `now`
  // rewrites it (after the typed zoom was applied), so the refresh does not erase the typing.
  void ShowZoom(std::optional<double> zoom, bool now = false);

 signals:
  // Return was pressed with `text` in the box.
  void zoomTyped(const QString& text);
};
