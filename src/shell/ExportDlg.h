#pragma once

#include <QDialog>
#include <optional>

class QButtonGroup;
class QDoubleSpinBox;
class QWidget;

// The export choice: a format code (1 clipboard, 2 JPEG, 3 PostScript, 4 BMP, 5 PNG, 6 PDF)
// and, for PostScript, the final size in millimetres.
struct CExportChoice {
  int format = 1;
  double widthMm = 0.0;
  double heightMm = 0.0;
};

// The dialog "Export Active View": one choice per export format; the final size fields only for
// PostScript. It opens on the previous choice.
class CExportDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CExportDlg(const CExportChoice& previous, QWidget* parent = nullptr);
  CExportChoice Choice() const;
  void SetFormat(int format);
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
