#include "shell/ZoomPalette.h"

#include <QSignalBlocker>

#include "render/Zoom.h"

CZoomPalette::CZoomPalette(QWidget* parent) : QComboBox(parent) {
  for (const char* item : {"100%", " - ", "Fit", "5%", "10%", "25%", "50%", "75%", "100%", "125%",
                           "150%", "200%", "300%"}) {
    addItem(item);
  }
  setCurrentIndex(0);
  setEnabled(false);
}

void CZoomPalette::ShowZoom(std::optional<double> zoom) {
  const QSignalBlocker blocker(this);
  setEnabled(zoom.has_value());
  if (zoom) setItemText(0, QString::number(ZoomPercent(*zoom)) + "%");
  setCurrentIndex(0);
}
