#pragma once

#include <QComboBox>
#include <optional>

// The zoom palette of the toolbar: the first item shows the current zoom ("%d%%"), then " - ",
// "Fit" and the percentages. Choosing another item leaves the first one shown.
class CZoomPalette : public QComboBox {
  Q_OBJECT

 public:
  explicit CZoomPalette(QWidget* parent = nullptr);
  // Rewrites the first item; disabled without a window.
  void ShowZoom(std::optional<double> zoom);
};
