#pragma once

#include <QLabel>

// One pane of the status bar: as wide as its placeholder text when the window has room, and
// narrower (its text clipped) when it has not, so that the panes never overlap.
class CStatusPane : public QLabel {
  Q_OBJECT

 public:
  CStatusPane(const QString& placeholder, QWidget* parent = nullptr);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 private:
  int width_;
};
