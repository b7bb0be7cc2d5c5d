// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "settings/Choices.h"

// What the title frame reports of one side of a window.
struct CReportSide {
  double r = 0.0;
  double s = 0.0;
  bool hasTree = false;
  ELinkage linkage = ChoiceOf<ELinkage>(-1);
  int treeSeriationCode = -1;  // the root's tree-seriation mark; −1 none
  int seriationCode = -1;      // the root's seriation mark with a tree (−1 and −3: none), else
                               // the order's own mark (−1: none)
};

struct CReportInput {
  bool showTopFrame = true;
  bool showObjectiveFunctions = true;
  bool showCriteria = true;
  bool showMetrics = false;
  EDissimilarity dissimilarity = EDissimilarity::kEuclidean;
  CReportSide rows;
  CReportSide columns;
};

// The three blocks of the title frame: a heading and its lines each. An empty dissimilarity
// block means there is none.
struct CReport {
  std::vector<std::string> rows;
  std::vector<std::string> columns;
  std::vector<std::string> dissimilarity;
};

// Rebuilds `report` from `input`; while the top frame is hidden the lists keep their content.
void BuildReport(const CReportInput& input, CReport& report);

// Status-bar texts.
std::string StatusTableSize(int rows, int columns);  // " n=%d , p=%d"
std::string StatusActiveSide(bool rowsActive);       // " Rows are active"
// " R=0.12, S=3.40"; " R not computed, S=3.40" when R does not belong to the order.
std::string StatusObjectives(double r, double s, bool analysed, bool rKnown = true);
inline constexpr const char* kStatusNextAction = "   Next action parameters:     ";
