#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/Distance.h"
#include "data/Matrix.h"

class CDocumentContext;
class CProgress;
class CDistanceMeasures;
struct TreatmentSettings;

// The data table read from a file: one row per object and one column per variable in file
// order (never reordered), with labels, weights, value range and the two dissimilarity
// matrices. The four subclasses differ in how a cell is read, prepared, ranged and compared.
class CData : public CMatrix {
 public:
  CData() = default;
  ~CData() override = default;

  // Reads one value cell from the front of `line` and consumes it.
  virtual double ParseCell(std::string_view& line) const;
  // Weights (and for numerical data the statistics and transformation).
  virtual void Prepare();
  // Checks or normalises the cells before dissimilarities are computed.
  virtual void Validate() {}
  virtual void ComputeValueRange() {}
  // The last step of a load (the contingency representation).
  virtual void FinishLoad() {}
  // Fills the row (byColumns false) or column dissimilarities; 1 on success, 0 when stopped.
  virtual int ComputeDistances(bool byColumns, CProgress* progress);
  virtual double RowWeight(int i) const;
  virtual double ColumnWeight(int j) const;
  virtual int MinCode(int j) const;
  virtual int MaxCode(int j) const;
  // The DataType code of the class (0 to 3); −1 for the plain table.
  virtual int DataType() const { return -1; }

  const TreatmentSettings& Settings() const;
  bool BlankIsDelimiter() const;

  std::vector<std::string> rowLabels;
  std::vector<std::string> columnLabels;
  std::string title;
  CDocumentContext* document = nullptr;
  std::vector<double> columnWeights;
  std::vector<double> rowWeights;
  double maxValue = 0.0;
  double minValue = 0.0;
  CDistance rowDistances;
  CDistance columnDistances;
  std::string fileName;
  int maxRowLabelLength = 0;
  int maxColumnLabelLength = 0;
  // The dissimilarity measures of the layer above, given by whoever loads the table.
  const CDistanceMeasures* measures = nullptr;

  // Keeps only the first `rows` rows once a reader knows how many it kept.
  void KeepRows(int rows) { ShrinkRows(rows); }
};

// The measures that fill a table's dissimilarity matrices, implemented by the dissimilarity
// layer; each data type calls its own entry.
class CDistanceMeasures {
 public:
  virtual ~CDistanceMeasures() = default;
  virtual int Numerical(class CData_Numerical& data, bool byColumns, CProgress* progress) const = 0;
  virtual int Binary(class CData_Binary& data, bool byColumns, CProgress* progress) const = 0;
  virtual int Nominal(class CData_Nominal& data, bool byColumns, CProgress* progress) const = 0;
  virtual int Contingency(class CData_ContingencyTable& data, bool byColumns,
                          CProgress* progress) const = 0;
};
