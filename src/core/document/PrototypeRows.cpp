// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/PrototypeRows.h"

#include <algorithm>

#include "base/StepTimer.h"
#include "base/Text.h"
#include "data/Data.h"
#include "data/DataNumerical.h"
#include "data/Prototypes.h"

CReadRows SummariseRows(CData& data, int count) {
  CPrototypeOptions options;
  options.count = count;
  CPrototypes prototypes;
  {
    CStepTimer timer("prototypes");
    prototypes = ComputePrototypes(data, options);
  }
  const int read = data.rowCount;
  const int kept = prototypes.Count();
  CReadRows rows;
  rows.labels = std::move(data.rowLabels);
  rows.prototypeOf = std::move(prototypes.prototypeOfRow);

  // The means take the first rows' places; the rest of the cells is released.
  for (int k = 0; k < kept; ++k) {
    std::copy(prototypes.Mean(k), prototypes.Mean(k) + data.columnCount, data.Row(k));
  }
  data.KeepRows(kept);
  data.rowLabels.clear();
  data.maxRowLabelLength = 0;
  data.rowWeights.assign(static_cast<size_t>(kept), 0.0);
  for (int k = 0; k < kept; ++k) {
    data.rowLabels.push_back(prototypes.Label(k));
    data.maxRowLabelLength =
        std::max(data.maxRowLabelLength, CharacterCount(data.rowLabels.back()));
    data.rowWeights[static_cast<size_t>(k)] =
        static_cast<double>(prototypes.sizes[static_cast<size_t>(k)]) / read;
  }
  if (auto* numerical = dynamic_cast<CData_Numerical*>(&data)) numerical->ComputeRowStatistics();
  data.ComputeValueRange();
  return rows;
}

std::string RowPrototypesText(const CData& data, const CReadRows& read) {
  std::string text;
  if (!read.Summarised()) {
    for (const std::string& label : data.rowLabels)
      text += label + "\t" + label + "\n";
    return text;
  }
  for (size_t r = 0; r < read.prototypeOf.size(); ++r) {
    const size_t prototype = static_cast<size_t>(read.prototypeOf[r]);
    text += (r < read.labels.size() ? read.labels[r] : std::string()) + "\t" +
            (prototype < data.rowLabels.size() ? data.rowLabels[prototype] : std::string()) + "\n";
  }
  return text;
}
