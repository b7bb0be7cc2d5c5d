// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "dissimilarity/SideDistances.h"
#include "dissimilarity/TriangleRefill.h"

class CData;
class CProgressReporter;

// From this size of a copy on, an unwatched run works inside the triangles (below, a copy costs
// less processor time than computing the pairs again, and its memory matters little).
inline constexpr size_t kInsideTrianglesFrom = size_t{1} << 30;
// Computing a side's pairs again costs about what a fresh copy of its triangle costs, or less
// (the pages of a new n² buffer are slow to touch), up to this many positions per item.
inline constexpr int kCheapRecomputePositions = 1000;

// When the steps of a side work inside its triangle.
struct CInsidePolicy {
  // Nothing can read the matrix while a step runs (a batch run): the steps work inside whenever
  // the copy would take `fromBytes` or more and the pairs are cheap to compute again. Otherwise
  // only when the copy would not fit in the memory available: in the desktop program a progress
  // window lets the windows repaint and answer the mouse meanwhile.
  bool unwatched = false;
  size_t fromBytes = kInsideTrianglesFrom;
};

// The refill of one side of a loaded table: its pairs computed again from the cells with the
// measure of the load, or read again from the side's dissimilarity file (which must not have
// changed since: its sums must come out bit for bit). The table must stay as it was loaded.
class CSideRefill final : public CTriangleRefill {
 public:
  // `stop` receives the text of the message box that ends the program when the pairs cannot be
  // put back (a dissimilarity file changed or gone); null shows nothing.
  CSideRefill(const CData& data, bool byColumns, CDissimilarityOptions options,
              CInsidePolicy policy, std::function<void(const std::string&)> stop = {});

  // Computed pairs over at most kCheapRecomputePositions positions; a file never is.
  bool Cheap() const;

  bool WorkInside(size_t copyBytes) const override;
  bool Refill(CDistance& matrix) override;
  bool ComputeInOrder(const int* sequence, int count, CDistance& target) override;

 private:
  bool FromFile() const { return options_.measure == EDissimilarity::kFromFiles; }
  int Items() const;
  void Stop(const std::string& text) const;

  const CData& data_;
  bool byColumns_;
  CDissimilarityOptions options_;
  CInsidePolicy policy_;
  std::function<void(const std::string&)> stop_;
};
