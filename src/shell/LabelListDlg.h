// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;

// The label list window "Label": the labels of the items selected on the active side, with
// their count. One window for the whole program, not modal. "Copy" and "Save as..." act only
// while there is a user selection.
class CLabelListDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CLabelListDlg(QWidget* parent = nullptr);

  // The selected items' labels in order (a user selection).
  void ShowSelection(const std::vector<std::string>& labels);
  // No user selection: "n = 0", an empty list, the buttons disabled.
  void ClearSelection();

  // Every line of the list, each followed by "\r\n".
  QString ClipboardText() const;
  // Puts ClipboardText on the clipboard.
  void CopyLabels();

  // "Save as...": saves the selected items of the active document.
  std::function<void()> onSaveAs;
  // "OK" (or closing the window) hid the window.
  std::function<void()> onHidden;

 protected:
  void done(int result) override;

 private:
  void SetButtons(bool enabled);
  QLineEdit* count_;
  QListWidget* list_;
  QPushButton* copy_;
  QPushButton* saveAs_;
};
