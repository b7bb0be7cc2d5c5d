#pragma once

#include "data/Data.h"

// Codes of the Dissimilarity setting.
enum EDissimilarityCode {
  kDissimilarityEuclidean = 1,
  kDissimilarityPearson = 2,
  kDissimilaritySquaredPearson = 3,
  kDissimilarityJaccard = 4,
  kDissimilarityDice = 5,
  kDissimilarityHamming = 6,
  kDissimilarityManhattan = 7,
  kDissimilarityChebyshev = 8,
  kDissimilarityChiSquare = 9,
  kDissimilarityReadFromFiles = 10,
};

// The text of the message box shown when a pair of items has no position to compare, for the
// rows as well as for the columns.
inline constexpr char kTooManyMissingMessage[] =
    "STOP !\tThere are too many missing data in your dataset\n\tto calculate distances between "
    "columns.\t";

// The program's measures, chosen by the table's Dissimilarity setting:
// numerical tables 1 Euclidean, 2 Pearson, 3 squared Pearson, 7 Manhattan, 8 Chebyshev;
// binary tables 1 Euclidean, 4 Jaccard, 5 Dice, 7 Manhattan; nominal tables 6 Hamming;
// contingency tables the chi-square distance for every code but 10. Any other code leaves the
// matrix at 0. Each entry fills the row (byColumns false) or the column matrix, stepping
// `progress` once per outer item above 1000 items, and returns 1, or 0 after the message box
// `kTooManyMissingMessage` when a pair has no complete position. A contingency table with an
// empty row or column ends the program after a message box (CProgramExit 1).
class CStandardMeasures final : public CDistanceMeasures {
 public:
  int Numerical(CData_Numerical& data, bool byColumns, CProgress* progress) const override;
  int Binary(CData_Binary& data, bool byColumns, CProgress* progress) const override;
  int Nominal(CData_Nominal& data, bool byColumns, CProgress* progress) const override;
  int Contingency(CData_ContingencyTable& data, bool byColumns, CProgress* progress) const override;
};

const CDistanceMeasures& StandardMeasures();
