// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/Matrix.h"
#include "settings/Choices.h"

// The data table read from a file: one row per object and one column per variable in file
// order (never reordered), with labels, weights and value range. The four subclasses differ in
// how a cell is read, prepared, ranged and compared. The dissimilarity matrices of its two sides
// live beside it, in the document.
class CData : public CMatrix {
 public:
  CData() = default;
  ~CData() override = default;

  // Reads one value cell from the front of `line` and consumes it.
  double ParseCell(std::string_view& line, bool blankIsDelimiter) const;
  // What the table keeps of a value read from a text cell (kMissing for an empty or unreadable
  // one): numerical and nominal tables keep it; binary and contingency tables refuse a missing
  // value (message 10) and a negative count (message 11) and keep integers.
  virtual double AcceptCell(double value) const { return value; }
  // Weights (and for numerical data the statistics and transformation of `representation`).
  virtual void Prepare();
  // Checks or normalises the cells before dissimilarities are computed.
  virtual void Validate() {}
  virtual void ComputeValueRange() {}
  // The last step of a load (the contingency representation).
  virtual void FinishLoad() {}
  virtual double RowWeight(int i) const;
  virtual double ColumnWeight(int j) const;
  virtual int MinCode(int j) const;
  virtual int MaxCode(int j) const;
  // The data type of the class; the plain table answers a code that is none of them.
  virtual EDataType DataType() const { return ChoiceOf<EDataType>(-1); }

  std::vector<std::string> rowLabels;
  std::vector<std::string> columnLabels;
  std::string title;
  std::vector<double> columnWeights;
  std::vector<double> rowWeights;
  double maxValue = 0.0;
  double minValue = 0.0;
  std::string fileName;
  int maxRowLabelLength = 0;
  int maxColumnLabelLength = 0;
  // The DataRepresentation the table is prepared and shown with (by data type).
  int representation = 0;

  // Keeps only the first `rows` rows once a reader knows how many it kept.
  void KeepRows(int rows) { ShrinkRows(rows); }
};
