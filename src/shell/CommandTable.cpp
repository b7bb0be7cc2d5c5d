// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CommandTable.h"

#include <QKeySequence>
#include <QStringList>
#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "settings/Choices.h"
#include "shell/CommandIds.h"

namespace {

using M = CMenuName;
constexpr auto kNone = Qt::NoModifier;
constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kShift = Qt::ShiftModifier;

constexpr std::span<const int> kCellSizes(kCellSizePresets);

const CMenuEntry kMenuEntries[] = {
    // File
    {M::kFile, "", cmd::kNew, "&New\tCtrl+N"},
    {M::kFile, "", cmd::kOpen, "&Open...\tCtrl+O"},
    {M::kFile, "", cmd::kSave, "&Save\tCtrl+S"},
    {M::kFile, "", cmd::kSaveAs, "Save &As..."},
    {M::kFile, "", 0, ""},
    {M::kFile, "", cmd::kOpenAnnotations, "Open &annotations..."},
    {M::kFile, "", 0, ""},
    {M::kFile, "Save selected &tree topology", cmd::kSaveRowTree, "&Rows (Newick)..."},
    {M::kFile, "Save selected &tree topology", cmd::kSaveColumnTree, "&Columns (Newick)..."},
    {M::kFile, "", 0, ""},
    {M::kFile, "", cmd::kExport, "Export\tCtrl + C"},
    {M::kFile, "", 0, ""},
    {M::kFile, "", cmd::kPrint, "&Print...\tCtrl+P"},
    {M::kFile, "", cmd::kPrintPreview, "Print Pre&view"},
    {M::kFile, "", 0, ""},
    {M::kFile, "", cmd::kExit, "E&xit\tCtrl+Q"},

    // Edit: undo and redo of the active window's editing commands
    {M::kEdit, "", cmd::kUndo, "&Undo\tCtrl+Z"},
    {M::kEdit, "", cmd::kRedo, "&Redo\tCtrl+Shift+Z / Ctrl+Y"},
    {M::kEdit, "", 0, ""},
    {M::kEdit, "", cmd::kFind, "&Find...\tCtrl+F"},
    {M::kEdit, "", cmd::kFindNext, "Find &Next\tF3"},
    {M::kEdit, "", cmd::kFindPrevious, "Find &Previous\tShift+F3"},

    // View
    {M::kView, "", cmd::kLabels, "&Labels"},
    {M::kView, "", cmd::kDataValues, "&Data values"},
    {M::kView, "", cmd::kBrowseDataValues, "Browse &Data values"},
    {M::kView, "", cmd::kAverageProfile, "&Average profile"},
    {M::kView, "", cmd::kMetrics, "Metrics"},
    {M::kView, "", 0, ""},
    {M::kView, "", cmd::kDataMatrix, "Data Matrix"},
    {M::kView, "", cmd::kTreeOfRows, "Tree of Rows"},
    {M::kView, "", cmd::kTreeOfColumns, "Tree of Columns"},
    {M::kView, "", cmd::kLabelsOfRows, "Labels of Rows"},
    {M::kView, "", cmd::kLabelsOfColumns, "Labels of Columns"},
    {M::kView, "", 0, ""},
    {M::kView, "", cmd::kTopFrame, "Top Frame"},
    {M::kView, "", cmd::kCriteria, "Criteria"},
    {M::kView, "", cmd::kObjectiveFunctions, "Objective function R and S"},
    {M::kView, "", cmd::kColorsScale, "Colors Scale"},
    {M::kView, "", 0, ""},
    {M::kView, "", cmd::kStatusBar, "&Status Bar"},

    // Treatment
    {M::kTreatment, "Hierarchical Cluster Analysis", cmd::kClusterRows, "On &Rows\tShift + F4"},
    {M::kTreatment, "Hierarchical Cluster Analysis", cmd::kClusterColumns,
     "On &Columns\tCtrl + F4"},
    {M::kTreatment, "Seriation", cmd::kSeriateRows, "&Rows enumeration\tShift + F5"},
    {M::kTreatment, "Seriation", cmd::kSeriateColumns, "&Columns enumeration\tCtrl + F5"},
    {M::kTreatment, "Seriation", 0, ""},
    {M::kTreatment, "Seriation", cmd::kNonlinearRows, "Nonlinear enumeration of rows"},
    {M::kTreatment, "Seriation", cmd::kNonlinearColumns, "Nonlinear enumeration of columns"},
    {M::kTreatment, "", 0, ""},
    {M::kTreatment, "", cmd::kFlipRows, "Flip &Rows\tUp Arrow / Down Arrow"},
    {M::kTreatment, "", cmd::kFlipColumns, "Flip &Columns\tLeft Arrow / Right Arrow"},
    {M::kTreatment, "", cmd::kSwapRows,
     "Swap &Rows primary subtree\tCtrl+Up Arrow / Ctrl+Down Arrow"},
    {M::kTreatment, "", cmd::kSwapColumns,
     "Swap &Columns primary subtree\tLeft Arrow / Right Arrow"},
    {M::kTreatment, "", cmd::kAggregateRows, "Aggregate selected &Rows"},
    {M::kTreatment, "", cmd::kAggregateColumns, "Aggregate selected &Columns"},
    {M::kTreatment, "", 0, ""},
    {M::kTreatment, "&Sort...", cmd::kSortRows, "&Rows"},
    {M::kTreatment, "&Sort...", cmd::kSortColumns, "&Columns"},
    {M::kTreatment, "", cmd::kRandomiseRows, "Randomise &Rows order"},
    {M::kTreatment, "", cmd::kRandomiseColumns, "Randomise &Columns order"},
    {M::kTreatment, "", 0, ""},
    {M::kTreatment, "", cmd::kClustersIdentification, "Clusters &Identification..."},
    {M::kTreatment, "", cmd::kCutTree, "Cu&t tree..."},
    {M::kTreatment, "", cmd::kSaveTreeClusters, "Save tree c&lusters..."},

    // Zoom
    {M::kZoom, "", cmd::kZoomIn, "Zoom in\t+"},
    {M::kZoom, "", cmd::kZoomOut, "Zoom out\t-"},
    {M::kZoom, "", cmd::kZoomDelete, "Zoom delete"},
    {M::kZoom, "", cmd::kFitToWindow, "Optimize the drawing space in the window"},
    {M::kZoom, "", 0, ""},
    {M::kZoom, "Rows height", cmd::kRowHeightFirst + 0, "Narrowest"},
    {M::kZoom, "Rows height", cmd::kRowHeightFirst + 1, "Narrow"},
    {M::kZoom, "Rows height", cmd::kRowHeightFirst + 2, "Normal"},
    {M::kZoom, "Rows height", cmd::kRowHeightFirst + 3, "Wide"},
    {M::kZoom, "Rows height", cmd::kRowHeightFirst + 4, "Huge"},
    {M::kZoom, "Columns width", cmd::kColumnWidthFirst + 0, "Narrowest"},
    {M::kZoom, "Columns width", cmd::kColumnWidthFirst + 1, "Narrow"},
    {M::kZoom, "Columns width", cmd::kColumnWidthFirst + 2, "Normal"},
    {M::kZoom, "Columns width", cmd::kColumnWidthFirst + 3, "Wide"},
    {M::kZoom, "Columns width", cmd::kColumnWidthFirst + 4, "Huge"},
    {M::kZoom, "", cmd::kCustomMatrixSize, "Custom matrix size"},
    {M::kZoom, "", 0, ""},
    {M::kZoom, "", cmd::kFullScreen, "Full screen"},
    {M::kZoom, "", cmd::kLeaveFullScreen, "Leave full screen\tEsc"},

    // Options
    {M::kOptions, "", cmd::kSettings, "&Settings..."},
    {M::kOptions, "", cmd::kFormat, "&Format..."},

    // Window (the list of open windows follows these entries)
    {M::kWindow, "", cmd::kWindowCascade, "&Cascade"},
    {M::kWindow, "", cmd::kWindowTile, "&Tile"},
    {M::kWindow, "", cmd::kWindowNext, "&Next"},
    {M::kWindow, "", cmd::kWindowClose, "C&lose\tCtrl+W"},

    // Help
    {M::kHelp, "", cmd::kHelpHomePage, "Quorvel &Home Page"},
    {M::kHelp, "", cmd::kHelpGuidePage, "Quorvel &User's Guide"},
    {M::kHelp, "", 0, ""},
    {M::kHelp, "", cmd::kAbout, "&About Quorvel...\tF1"},

    // Context menu of a view
    {M::kContext, "", cmd::kClusterRows, "Hierarchical Cluster Analysis on &Rows\tF4"},
    {M::kContext, "", cmd::kClusterColumns,
     "Hierarchical Cluster Analysis on &Columns\tShift + F4"},
    {M::kContext, "", cmd::kSeriateRows, "&Rows enumeration\tShift + F5"},
    {M::kContext, "", cmd::kSeriateColumns, "&Columns enumeration\tCtrl + F5"},
    {M::kContext, "", 0, ""},
    {M::kContext, "", cmd::kFlipRows, "Flip &Rows\tUp Arrow / Down Arrow"},
    {M::kContext, "", cmd::kFlipColumns, "Flip &Columns\tLeft Arrow / Right Arrow"},
    {M::kContext, "", cmd::kSwapRows,
     "Swap &Rows primary subtree\tCtrl+Up Arrow / Ctrl+Down Arrow"},
    {M::kContext, "", cmd::kSwapColumns, "Swap &Columns primary subtree\tLeft Arrow / Right Arrow"},
    {M::kContext, "", cmd::kAggregateRows, "Aggregate selected &Rows"},
    {M::kContext, "", cmd::kAggregateColumns, "Aggregate selected &Columns"},
    {M::kContext, "", 0, ""},
    {M::kContext, "&Sort...", cmd::kSortRows, "&Rows"},
    {M::kContext, "&Sort...", cmd::kSortColumns, "&Columns"},
    {M::kContext, "", cmd::kRandomiseRows, "Randomise &Rows order"},
    {M::kContext, "", cmd::kRandomiseColumns, "Randomise &Columns order"},
    {M::kContext, "", 0, ""},
    {M::kContext, "", cmd::kExport, "Copy to clipboard\tCtrl+C"},
    {M::kContext, "", 0, ""},
    {M::kContext, "Rows height", cmd::kRowHeightFirst + 4, "Huge"},
    {M::kContext, "Rows height", cmd::kRowHeightFirst + 2, "Normal"},
    {M::kContext, "Rows height", cmd::kRowHeightFirst + 0, "Narrowest"},
    {M::kContext, "Columns width", cmd::kColumnWidthFirst + 4, "Huge"},
    {M::kContext, "Columns width", cmd::kColumnWidthFirst + 2, "Normal"},
    {M::kContext, "Columns width", cmd::kColumnWidthFirst + 0, "Narrowest"},
    {M::kContext, "", cmd::kZoomIn, "Zoom in\t+"},
    {M::kContext, "", cmd::kZoomOut, "Zoom out\t-"},
    {M::kContext, "", cmd::kZoomDelete, "Zoom delete"},
};

const CKeyBinding kKeyBindings[] = {
    {Qt::Key_F4, kShift, CKeypad::kEither, cmd::kClusterRows},
    {Qt::Key_F4, kCtrl, CKeypad::kEither, cmd::kClusterColumns},
    {Qt::Key_F4, kNone, CKeypad::kEither, cmd::kClusterActiveSide},
    {Qt::Key_F5, kShift, CKeypad::kEither, cmd::kSeriateRows},
    {Qt::Key_F5, kCtrl, CKeypad::kEither, cmd::kSeriateColumns},
    {Qt::Key_F5, kNone, CKeypad::kEither, cmd::kSeriateActiveSide},
    {Qt::Key_F6, kNone, CKeypad::kEither, cmd::kClusterSeriateActiveSide},
    {Qt::Key_F6, kShift, CKeypad::kEither, cmd::kClusterSeriateRows},
    {Qt::Key_F6, kShift | kCtrl, CKeypad::kEither, cmd::kClusterSeriateColumns},
    {Qt::Key_F7, kNone, CKeypad::kEither, cmd::kClusterSeriateBothSides},
    // Arrows of the keypad (without Num Lock) count as arrows.
    {Qt::Key_Up, kNone, CKeypad::kEither, cmd::kFlipRows},
    {Qt::Key_Down, kNone, CKeypad::kEither, cmd::kFlipRows},
    {Qt::Key_Left, kNone, CKeypad::kEither, cmd::kFlipColumns},
    {Qt::Key_Right, kNone, CKeypad::kEither, cmd::kFlipColumns},
    {Qt::Key_Up, kCtrl, CKeypad::kEither, cmd::kSwapRows},
    {Qt::Key_Down, kCtrl, CKeypad::kEither, cmd::kSwapRows},
    {Qt::Key_Left, kCtrl, CKeypad::kEither, cmd::kSwapColumns},
    {Qt::Key_Right, kCtrl, CKeypad::kEither, cmd::kSwapColumns},
    {Qt::Key_C, kCtrl, CKeypad::kEither, cmd::kExport},
    {Qt::Key_Plus, kNone, CKeypad::kMain, cmd::kZoomIn},
    {Qt::Key_Plus, kNone, CKeypad::kKeypad, cmd::kZoomIn},
    {Qt::Key_Minus, kNone, CKeypad::kMain, cmd::kZoomOut},
    {Qt::Key_Minus, kNone, CKeypad::kKeypad, cmd::kZoomOut},
    // The key that carries "-" on some keyboards.
    {Qt::Key_6, kNone, CKeypad::kMain, cmd::kZoomOut},
    {Qt::Key_Escape, kNone, CKeypad::kEither, cmd::kLeaveFullScreen},
    {Qt::Key_N, kCtrl, CKeypad::kEither, cmd::kNew},
    {Qt::Key_O, kCtrl, CKeypad::kEither, cmd::kOpen},
    {Qt::Key_S, kCtrl, CKeypad::kEither, cmd::kSave},
    {Qt::Key_P, kCtrl, CKeypad::kEither, cmd::kPrint},
    {Qt::Key_F1, kNone, CKeypad::kEither, cmd::kAbout},
    {Qt::Key_W, kCtrl, CKeypad::kEither, cmd::kWindowClose},
    {Qt::Key_Z, kCtrl, CKeypad::kEither, cmd::kUndo},
    {Qt::Key_Z, kCtrl | kShift, CKeypad::kEither, cmd::kRedo},
    {Qt::Key_Y, kCtrl, CKeypad::kEither, cmd::kRedo},
    {Qt::Key_F, kCtrl, CKeypad::kEither, cmd::kFind},
    {Qt::Key_F3, kNone, CKeypad::kEither, cmd::kFindNext},
    {Qt::Key_F3, kShift, CKeypad::kEither, cmd::kFindPrevious},
    {Qt::Key_Q, kCtrl, CKeypad::kEither, cmd::kExit},
};

constexpr int kFileToolBar[] = {cmd::kNew,    cmd::kOpen,  cmd::kSave, 0,
                                cmd::kExport, cmd::kPrint, 0,          cmd::kAbout};

constexpr int kOptionsToolBar[] = {
    cmd::kClusterActiveSide,  cmd::kSeriateActiveSide,     cmd::kClusterSeriateActiveSide, 0,
    cmd::kClusterSeriateRows, cmd::kClusterSeriateColumns, cmd::kClusterSeriateBothSides,
};

struct CPrompt {
  int command;
  const char* statusTip;
  const char* toolTip;
};

const CPrompt kPrompts[] = {
    {cmd::kNew, "Open a data file as a new document", "New (Ctrl+N)"},
    {cmd::kOpen, "Open a data file", "Open (Ctrl+O)"},
    {cmd::kSave, "Save the selected items", "Save (Ctrl+S)"},
    {cmd::kSaveAs, "Save the selected items under a new name", "Save As"},
    {cmd::kExport, "Export the active view", "Export (Ctrl+C)"},
    {cmd::kPrint, "Print the active view", "Print (Ctrl+P)"},
    {cmd::kAbout, "Program information, version and licence", "About (F1)"},
    {cmd::kSaveRowTree, "Save selected tree topology in Newick format (Phylip)",
     "Save selected tree topology"},
    {cmd::kSaveColumnTree, "Save selected tree topology in Newick format (Phylip)",
     "Save selected tree topology"},
    {cmd::kClusterActiveSide, "Hierarchical cluster analysis of the active side",
     "Cluster the active side (F4)"},
    {cmd::kSeriateActiveSide, "Seriation of the active side", "Seriate the active side (F5)"},
    {cmd::kClusterSeriateActiveSide, "Cluster analysis then seriation of the active side",
     "Cluster then seriate the active side (F6)"},
    {cmd::kClusterSeriateRows, "Cluster analysis then seriation of the rows",
     "Cluster then seriate the rows (Shift+F6)"},
    {cmd::kClusterSeriateColumns, "Cluster analysis then seriation of the columns",
     "Cluster then seriate the columns (Ctrl+Shift+F6)"},
    {cmd::kClusterSeriateBothSides,
     "Cluster analysis and seriation of the rows, then of the columns",
     "Cluster and seriate rows, then columns (F7)"},
    {cmd::kCutTree, "Cut the dendrogram of the active side into clusters and colour them",
     "Cut tree"},
    {cmd::kSaveTreeClusters, "Save the clusters of the active side's cut, one line per item",
     "Save tree clusters"},
    {cmd::kFullScreen, "Show the program on the whole screen", "Full screen"},
    {cmd::kLeaveFullScreen, "Leave the full screen", "Leave full screen (Esc)"},
    {cmd::kCustomMatrixSize, "Show or hide the bar of the cell sizes", "Custom matrix size"},
    {cmd::kUndo, "Undo the last change of the active window's orders, trees or marks",
     "Undo (Ctrl+Z)"},
    {cmd::kRedo, "Redo the change undone last", "Redo (Ctrl+Shift+Z)"},
    {cmd::kOpenAnnotations,
     "Show what an annotation file says about the rows or the columns as tracks beside the "
     "matrix",
     "Open annotations"},
    {cmd::kFind, "Find rows or columns of the active side by their labels", "Find (Ctrl+F)"},
    {cmd::kFindNext, "Select the next label found", "Find next (F3)"},
    {cmd::kFindPrevious, "Select the previous label found", "Find previous (Shift+F3)"},
    {cmd::kExit, "Quit the program", "Exit (Ctrl+Q)"},
    {cmd::kZoomIn, "Enlarge the picture of the active window", "Zoom in (+)"},
    {cmd::kZoomOut, "Reduce the picture of the active window", "Zoom out (-)"},
    {cmd::kZoomDelete, "Show the picture of the active window at 100 %", "Zoom 100 %"},
    {cmd::kFitToWindow, "Fit the picture to the window, whatever its size",
     "Fit the picture to the window"},
};

const CPrompt* FindPrompt(int command) {
  for (const CPrompt& prompt : kPrompts) {
    if (prompt.command == command) return &prompt;
  }
  return nullptr;
}

using CKeyCombination = std::pair<int, int>;  // key, modifiers

int ModifierBits(Qt::KeyboardModifiers modifiers) {
  return static_cast<int>(
      (modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier))
          .toInt());
}

std::set<CKeyCombination> BoundKeys(int command) {
  std::set<CKeyCombination> keys;
  for (const CKeyBinding& binding : kKeyBindings) {
    if (binding.command == command) keys.emplace(binding.key, ModifierBits(binding.modifiers));
  }
  return keys;
}

// Keys named by a caption ("Shift + F4", "Ctrl+Up Arrow / Ctrl+Down Arrow").
std::set<CKeyCombination> NamedKeys(const QString& text) {
  std::set<CKeyCombination> keys;
  for (QString name : text.split('/')) {
    name.replace(" Arrow", "");
    name.remove(' ');
    const QKeySequence sequence = QKeySequence::fromString(name, QKeySequence::PortableText);
    if (sequence.isEmpty()) continue;
    const QKeyCombination combination = sequence[0];
    keys.emplace(static_cast<int>(combination.key()),
                 ModifierBits(combination.keyboardModifiers()));
  }
  return keys;
}

QString KeyName(int key) {
  switch (key) {
    case Qt::Key_Up:
      return "Up Arrow";
    case Qt::Key_Down:
      return "Down Arrow";
    case Qt::Key_Left:
      return "Left Arrow";
    case Qt::Key_Right:
      return "Right Arrow";
    default:
      return QKeySequence(key).toString(QKeySequence::PortableText);
  }
}

QString CombinationName(const CKeyCombination& combination) {
  QString name;
  if (combination.second & Qt::ControlModifier) name += "Ctrl+";
  if (combination.second & Qt::ShiftModifier) name += "Shift+";
  if (combination.second & Qt::AltModifier) name += "Alt+";
  return name + KeyName(combination.first);
}

}  // namespace

std::span<const CMenuEntry> CCommandTable::MenuEntries() {
  return kMenuEntries;
}

std::span<const CKeyBinding> CCommandTable::KeyBindings() {
  return kKeyBindings;
}

const char* CCommandTable::MenuTitle(CMenuName menu) {
  switch (menu) {
    case M::kFile:
      return "&File";
    case M::kEdit:
      return "&Edit";
    case M::kView:
      return "&View";
    case M::kTreatment:
      return "&Treatment";
    case M::kZoom:
      return "&Zoom";
    case M::kOptions:
      return "&Options";
    case M::kWindow:
      return "&Window";
    case M::kHelp:
      return "&Help";
    case M::kContext:
      return "";
  }
  return "";
}

std::span<const int> CCommandTable::FileToolBar() {
  return kFileToolBar;
}

std::span<const int> CCommandTable::OptionsToolBar() {
  return kOptionsToolBar;
}

const char* CCommandTable::StatusTip(int command) {
  const CPrompt* prompt = FindPrompt(command);
  return prompt ? prompt->statusTip : "";
}

const char* CCommandTable::ToolTip(int command) {
  const CPrompt* prompt = FindPrompt(command);
  return prompt ? prompt->toolTip : "";
}

int CCommandTable::CommandOfKey(int key, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  int pressed = ModifierBits(modifiers);
  if (key == Qt::Key_Plus || key == Qt::Key_Minus) pressed &= ~static_cast<int>(Qt::ShiftModifier);
  for (const CKeyBinding& binding : kKeyBindings) {
    if (binding.key != key || ModifierBits(binding.modifiers) != pressed) continue;
    if (binding.keypad == CKeypad::kMain && keypad) continue;
    if (binding.keypad == CKeypad::kKeypad && !keypad) continue;
    return binding.command;
  }
  return 0;
}

QString CCommandTable::KeyText(int command) {
  QStringList names;
  // In table order, each key once (the keypad twin of a key shows as the key).
  std::set<CKeyCombination> shown;
  for (const CKeyBinding& binding : kKeyBindings) {
    if (binding.command != command) continue;
    const CKeyCombination combination{binding.key, ModifierBits(binding.modifiers)};
    if (shown.insert(combination).second) names << CombinationName(combination);
  }
  return names.join(" / ");
}

QString CCommandTable::ShownCaption(const CMenuEntry& entry) {
  const QString caption = QString::fromUtf8(entry.caption);
  const qsizetype tab = caption.indexOf('\t');
  if (tab < 0) return caption;
  const std::set<CKeyCombination> named = NamedKeys(caption.mid(tab + 1));
  const std::set<CKeyCombination> bound = BoundKeys(entry.command);
  if (!named.empty() && std::includes(bound.begin(), bound.end(), named.begin(), named.end())) {
    return caption;
  }
  const QString keys = KeyText(entry.command);
  return keys.isEmpty() ? caption.left(tab) : caption.left(tab) + '\t' + keys;
}

bool CCommandTable::IsShellCommand(int command) {
  switch (command) {
    case cmd::kNew:
    case cmd::kOpen:
    case cmd::kExit:
    case cmd::kAbout:
    case cmd::kFullScreen:
    case cmd::kLeaveFullScreen:
    case cmd::kCustomMatrixSize:
    case cmd::kStatusBar:
    case cmd::kClustersIdentification:
    case cmd::kHelpHomePage:
    case cmd::kHelpGuidePage:
    case cmd::kWindowCascade:
    case cmd::kWindowTile:
    case cmd::kWindowNext:
    case cmd::kWindowClose:
    case cmd::kFind:
    case cmd::kFindNext:
    case cmd::kFindPrevious:
      return true;
    default:
      return command >= cmd::kRecentFileFirst &&
             command < cmd::kRecentFileFirst + cmd::kRecentFileCount;
  }
}

int CCommandTable::CellSizeOf(int command) {
  for (const int first : {cmd::kRowHeightFirst, cmd::kColumnWidthFirst}) {
    const int k = command - first;
    if (k >= 0 && k < static_cast<int>(kCellSizes.size()))
      return kCellSizes[static_cast<size_t>(k)];
  }
  return 0;
}

bool CCommandTable::IsRowHeightCommand(int command) {
  return command >= cmd::kRowHeightFirst &&
         command < cmd::kRowHeightFirst + static_cast<int>(kCellSizes.size());
}
