// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <Qt>
#include <span>

// The menus of the program.
enum class CMenuName { kFile, kEdit, kView, kTreatment, kZoom, kOptions, kWindow, kHelp, kContext };

// One entry of a menu, in menu order.
struct CMenuEntry {
  CMenuName menu;
  const char* popup;  // "" for an entry of the menu itself, else the caption of its submenu
  int command;        // 0: a separator
  // The caption as the program has always written it; text after a tab names the keys.
  const char* caption;
};

// Whether a key must come from the numeric keypad, from the main keyboard, or either.
enum class CKeypad { kEither, kMain, kKeypad };

// One key of the program's key table: a key press sends its command as if its menu entry were
// chosen.
struct CKeyBinding {
  int key;  // Qt::Key
  Qt::KeyboardModifiers modifiers;
  CKeypad keypad;
  int command;
};

// The one command table of the program: menu entries, keys, toolbars and prompts.
class CCommandTable {
 public:
  static std::span<const CMenuEntry> MenuEntries();
  static std::span<const CKeyBinding> KeyBindings();
  static const char* MenuTitle(CMenuName menu);

  // Buttons of the toolbars, 0 for a separator.
  static std::span<const int> FileToolBar();
  static std::span<const int> OptionsToolBar();

  // Status-bar prompt and tooltip of a command ("" when it has none).
  static const char* StatusTip(int command);
  static const char* ToolTip(int command);

  // The command a key press sends, 0 when the key table has none for it. Shift does not count
  // for "+" and "-", which need it on some keyboards.
  static int CommandOfKey(int key, Qt::KeyboardModifiers modifiers);

  // The keys that send `command`, as a menu shows them ("Shift+F4", "Up Arrow / Down Arrow");
  // "" when none does.
  static QString KeyText(int command);

  // The caption a menu shows: the caption itself, except that when the text after its tab names
  // keys that do not send this command, the keys that do replace it. A menu never shows a key
  // that does something else (it may leave out one of the keys that send the command).
  static QString ShownCaption(const CMenuEntry& entry);

  // Commands that the main window carries out itself when the command target leaves them:
  // window menu, full screen, status bar, exit, new, open, about, clusters dialog.
  static bool IsShellCommand(int command);

  // The cell-size preset commands (kCellSizePresets) for the row height or the column width: the
  // size a command sets (0 when it is no preset).
  static int CellSizeOf(int command);
  static bool IsRowHeightCommand(int command);
};
