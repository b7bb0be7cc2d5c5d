// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;
class QDialogButtonBox;
class QHBoxLayout;
class QLayout;
class QPushButton;
class QWidget;

// The frame the program's warning windows share: the platform's warning icon left of their
// content, their buttons below, a size that follows the content.

// Starts a warning window: a modal dialog titled `title`; returns the row that holds the icon,
// to which the window adds its content.
QHBoxLayout* StartWarningWindow(QDialog* dialog, const char* title);
// The "OK" button, default and accepting the dialog, in `buttons`.
QPushButton* AddOkButton(QDialog* dialog, QDialogButtonBox* buttons);
// Puts the icon row and the buttons below each other and fixes the size.
void FinishWarningWindow(QDialog* dialog, QHBoxLayout* body, QDialogButtonBox* buttons);
