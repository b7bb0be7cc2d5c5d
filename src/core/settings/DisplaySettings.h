// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "settings/Choices.h"

// How a document is drawn. Stored fields keep the names of the store.
struct DisplaySettings {
  int hx = 12;  // column width at zoom 1
  int hy = 12;  // row height at zoom 1
  int m_intColorHighValue = 0;
  int savedHighColor = 0;  // kept while the optical spectrum is on; not stored
  int m_intColorLowValue = 2;
  int savedLowColor = 2;  // not stored
  // Channel switches of the two scale colours, derived from the colour indices.
  int R_h = -99999, G_h = -99999, B_h = -99999;
  int R_l = -99999, G_l = -99999, B_l = -99999;
  int m_intNumberOfNuances = 255;
  int m_intColorNumberOfNuances = 0;
  int BkColor = 0;
  int ContrastColor = 50;
  int m_bShowObjectiveFunctionsValue = 1;
  int m_bShowScale = 1;
  int m_bShowTopFrame = 1;
  // Display switches that are not stored.
  bool showPositive = true;
  bool showNegative = true;
  bool opticalSpectrum = false;
  bool blackForZero = true;
  EColorScale colorScale = EColorScale::kSigned;  // stored as "ColorScale"
  int m_intRowsTreeSize = 10;
  int m_intColumnsTreeSize = 10;
  // Labels above the matrices as turned text rather than stacked letters (not stored).
  bool rotatedColumnLabels = false;
  // A title line above the picture; empty for none (not stored).
  std::string pictureTitle;

  bool operator==(const DisplaySettings&) const = default;
};

// The range of the cell sizes (hx, hy) and of the dendrogram sizes that the keywords and the
// store may set: far beyond the presets (48 and 40), and small enough that a picture of any
// table that fits in memory keeps its coordinates far inside the range of an int.
inline constexpr int kSmallestCellSize = 1;
inline constexpr int kLargestCellSize = 500;
inline constexpr int kSmallestTreeSize = 0;
inline constexpr int kLargestTreeSize = 100;

int ClampedCellSize(int size);
int ClampedTreeSize(int size);
// Brings hx, hy and the two tree sizes into their ranges.
void ClampSizes(DisplaySettings& display);

// Sets R_h … B_l from the two colour indices (index 7 or an unknown index: no colour).
void DeriveColorSwitches(DisplaySettings& display);
