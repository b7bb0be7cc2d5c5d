// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/QtServices.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "base/Failure.h"
#include "shell/FileFilter.h"
#include "shell/LargeTableDlg.h"
#include "shell/MessageLayout.h"
#include "shell/NoticeDlg.h"
#include "shell/ProgressDlg.h"
#include "shell/WarningMessageDlg.h"

CQtServices::CQtServices(QWidget* parentWindow) : parent_(parentWindow) {}

QWidget* CQtServices::Parent() const {
  if (parent_) return parent_;
  return QApplication::activeWindow();
}

void CQtServices::ShowWarning(const CWarning& warning) {
  CWarningMessageDlg dialog(warning, Parent());
  dialog.exec();
}

void CQtServices::ShowNotice(std::string_view title, std::string_view text) {
  CNoticeDlg dialog(title, text, Parent());
  dialog.exec();
}

void CQtServices::ShowMessageBox(std::string_view text) {
  QMessageBox box(QMessageBox::Warning, "Quorvel", MessageLayoutHtml(text), QMessageBox::NoButton,
                  Parent());
  box.setTextFormat(Qt::RichText);
  box.addButton("OK", QMessageBox::AcceptRole);
  box.exec();
}

CLargeTableAnswer CQtServices::ConfirmLargeTable(int rowCount) {
  CLargeTableDlg dialog(rowCount, Parent());
  dialog.exec();
  return dialog.Answer();
}

std::unique_ptr<CProgress> CQtServices::OpenProgress(std::string_view caption, int range,
                                                     bool withStopButton) {
  return std::make_unique<CProgressDlg>(caption, range, withStopButton, Parent());
}

std::optional<std::string> CQtServices::AskOpenFileName(std::string_view filter) {
  const QString path =
      QFileDialog::getOpenFileName(Parent(), "Open", QString(), QtFileFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> CQtServices::AskSaveFileName(std::string_view proposedName,
                                                        std::string_view filter) {
  const QString path = QFileDialog::getSaveFileName(Parent(), "Save As", ToQString(proposedName),
                                                    QtFileFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

void CQtServices::SetClipboardText(std::string_view text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

bool CQtServices::ConfirmReplacingDataFile(std::string_view path) {
  QMessageBox box(QMessageBox::Warning, "Quorvel",
                  "The file\n\n" + ToQString(path) +
                      "\n\nis the data file of an open document. Saving the selected items "
                      "there replaces its data by the selection.",
                  QMessageBox::NoButton, Parent());
  box.setObjectName("replaceDataFile");
  box.setInformativeText("Replace the data file by the selected items?");
  QPushButton* replace = box.addButton("Replace the data file", QMessageBox::DestructiveRole);
  replace->setObjectName("replace");
  QPushButton* keep = box.addButton("Keep the data file", QMessageBox::RejectRole);
  keep->setObjectName("keep");
  box.setDefaultButton(keep);
  box.setEscapeButton(keep);
  box.exec();
  return box.clickedButton() == replace;
}
