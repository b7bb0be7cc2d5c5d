// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The display switches of a document's windows: the view menu's commands, the side the
// side-less commands act on, and the browse mode. None is stored; three further switches live in
// DisplaySettings (objective functions, colour scale, top frame).
struct CDisplaySwitches {
  bool dataMatrix = true;
  bool metrics = false;
  bool rowTree = true;
  bool columnTree = true;
  bool rowLabels = true;
  bool columnLabels = true;
  bool averageProfile = false;
  bool criteria = true;
  bool labelList = false;   // the label list window is shown
  bool dataValues = false;  // "Data values"
  // The side the selection commands act on (the average profile averages its selection).
  bool rowsActive = true;
  // "Browse Data values": the value under the pointer is shown.
  bool browseDataValues = false;
};

// Every switch a command toggles, whichever record holds it.
enum class EDisplaySwitch {
  kAverageProfile,
  kLabelList,
  kDataValues,
  kMetrics,
  kCriteria,
  kRowTree,
  kColumnTree,
  kDataMatrix,
  kRowLabels,
  kColumnLabels,
  kObjectiveFunctions,  // DisplaySettings::m_bShowObjectiveFunctionsValue
  kColorScale,          // DisplaySettings::m_bShowScale
  kTopFrame,            // DisplaySettings::m_bShowTopFrame
};
