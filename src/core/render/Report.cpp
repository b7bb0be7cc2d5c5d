// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Report.h"

#include "base/Text.h"
#include "settings/Choices.h"

namespace {

void BuildSide(const CReportInput& input, const CReportSide& side, const char* heading,
               const char* pathText, std::vector<std::string>& lines) {
  lines.clear();
  lines.push_back(heading);
  if (input.showObjectiveFunctions && side.s != 0.0) {
    lines.push_back(Format("- Objective function : R=%.3f", side.r));
    lines.push_back(Format(pathText, side.s));
  }
  if (!input.showCriteria || side.s == 0.0) return;
  if (side.hasTree) {
    lines.push_back(std::string("- Linkage rule: ") + LinkageLabel(side.linkage));
    if (side.treeSeriationCode != -1) {
      lines.push_back(std::string("- Tree Seriation rule: ") +
                      SeriationLabel(side.treeSeriationCode));
    }
    if (side.seriationCode != -1 && side.seriationCode != -3) {
      lines.push_back(std::string("- Seriation rule: ") + SeriationLabel(side.seriationCode));
    }
  } else if (side.seriationCode != -1) {
    lines.push_back(std::string("- Seriation rule: ") + SeriationLabel(side.seriationCode));
  }
}

bool HasSeriationRule(const CReportSide& side) {
  return side.hasTree ? side.seriationCode != -1 && side.seriationCode != -3
                      : side.seriationCode != -1;
}

}  // namespace

void BuildReport(const CReportInput& input, CReport& report) {
  if (!input.showTopFrame) return;
  BuildSide(input, input.rows,
            "Rows :", "- Sum of all pairwise distances of neighboring rows (path length): S=%.3f ",
            report.rows);
  BuildSide(input, input.columns, "Columns :",
            "- Sum of all pairwise distances of neighboring columns (path length): S=%.3f ",
            report.columns);
  report.dissimilarity.clear();
  if (input.rows.hasTree || input.columns.hasTree || HasSeriationRule(input.rows) ||
      HasSeriationRule(input.columns) || input.showMetrics) {
    report.dissimilarity.push_back("Dissimilarity :");
    report.dissimilarity.push_back(std::string("- ") + DissimilarityLabel(input.dissimilarity));
  }
}

std::string StatusTableSize(int rows, int columns) {
  return Format(" n=%d , p=%d", rows, columns);
}

std::string StatusActiveSide(bool rowsActive) {
  return rowsActive ? " Rows are active" : " Columns are active";
}

std::string StatusObjectives(double r, double s, bool analysed, bool rKnown) {
  if (!analysed) return "";
  const std::string sText = ", S=" + Format("%.2f", s);
  if (!rKnown) return " R not computed" + sText;
  return " R=" + Format("%.2f", r) + sText;
}
