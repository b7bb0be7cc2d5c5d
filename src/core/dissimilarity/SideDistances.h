// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "dissimilarity/MeasureRegistry.h"
#include "settings/Choices.h"

class CData;
class CDistance;
class CProgressReporter;
struct TreatmentSettings;

// The first text of the message box shown when a pair of items has no position to compare, for
// the rows as well as for the columns; the side and the item that stops follow on a line of
// their own.
inline constexpr char kTooManyMissingMessage[] =
    "STOP !\tThere are too many missing data in your dataset\n\tto calculate distances between "
    "columns.\t";

// The largest magnitude of a value a numerical measure works on and of a dissimilarity: far
// beyond any measured quantity, and far enough inside the range of a double (1.8e308) that the
// squares, the rank-weighted sums over every pair, the objective functions and the products of
// the scaling methods stay finite for any table that fits in memory.
inline constexpr double kLargestMagnitude = 1e100;

// Which dissimilarities a document computes, for both sides.
struct CDissimilarityOptions {
  EDissimilarity measure = EDissimilarity::kEuclidean;
  std::string rowFileName;  // read when the measure is kFromFiles
  std::string columnFileName;
};
CDissimilarityOptions DissimilarityOptionsOf(const TreatmentSettings& settings);

// The measure a table of `type` is compared with when `chosen` is asked for: a table of counts
// has the chi-square distance alone (unless its dissimilarities are read from files).
EDissimilarity MeasureInForce(EDataType type, EDissimilarity chosen);

// Fills the row (byColumns false) or column matrix of a read and prepared table, allocated here
// for the side: read from the side's dissimilarity file when the measure is kFromFiles, otherwise
// computed (binary and nominal tables are validated first, which may end the program with
// messages 13 or 14) with the progress window "Computing distances matrix." above 1000 items; a
// contingency table always takes the chi-square distance, and a measure the table's type does
// not implement leaves every entry at 0. Then the matrix's sums. Returns the text of the message
// box that stops the program (with status 1): too many missing data (with the side and item), an
// empty row or column of a contingency table or one whose total left the 64-bit range, values or
// dissimilarities beyond kLargestMagnitude (or not finite), a dissimilarity file that cannot be
// read; empty on success.
std::string ComputeSideDistances(CData& data, bool byColumns, const CDissimilarityOptions& options,
                                 CDistance& matrix, CProgressReporter* progress);

// The kernel that computes `measure` for the table's type (a contingency table always takes the
// chi-square distance); null when the type does not implement the measure or for kFromFiles.
MeasureKernel SideKernel(const CData& data, EDissimilarity measure);
