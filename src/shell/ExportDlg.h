// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

#include "document/PictureExporter.h"

class QButtonGroup;
class QDoubleSpinBox;
class QWidget;

// The dialog "Export Active View": one choice per export format; the final size fields only for
// PostScript. It opens on the previous choice.
class CExportDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CExportDlg(const CExportChoice& previous, QWidget* parent = nullptr);
  CExportChoice Choice() const;
  void SetFormat(EExportFormat format);
  QWidget* SizeFields() const { return sizeFields_; }

  // Shows the dialog; the choice on OK, nothing on Cancel.
  static std::optional<CExportChoice> Ask(const CExportChoice& previous, QWidget* parent);

 private:
  void UpdateSizeFields();
  QButtonGroup* formats_;
  QWidget* sizeFields_;
  QDoubleSpinBox* width_;
  QDoubleSpinBox* height_;
};
