// SPDX-License-Identifier: GPL-3.0-or-later
#include "dissimilarity/SideRefill.h"

#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

#include "base/Memory.h"
#include "base/Parallel.h"
#include "base/StepTimer.h"
#include "data/Data.h"
#include "dissimilarity/DissimilarityFileReader.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/TriangleSums.h"

namespace {

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
  if (a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); ++k) {
    if (std::bit_cast<uint64_t>(a[k]) != std::bit_cast<uint64_t>(b[k])) return false;
  }
  return true;
}

// A consumer may have written anywhere, the diagonal included; the measures and the file reader
// write the pairs only.
void ClearDiagonal(CDistance& matrix) {
  const int n = matrix.size;
  double* triangle = matrix.values.data();
  ParallelFor(0, n, 256,
              [&](int i) { triangle[CDistance::RowOffset(i, n) + static_cast<size_t>(i)] = 0.0; });
}

}  // namespace

CSideRefill::CSideRefill(const CData& data, bool byColumns, CDissimilarityOptions options,
                         CInsidePolicy policy, std::function<void(const std::string&)> stop)
    : data_(data),
      byColumns_(byColumns),
      options_(std::move(options)),
      policy_(policy),
      stop_(std::move(stop)) {}

int CSideRefill::Items() const {
  return byColumns_ ? data_.columnCount : data_.rowCount;
}

void CSideRefill::Stop(const std::string& text) const {
  if (stop_) stop_(text);
}

bool CSideRefill::Cheap() const {
  if (FromFile() || SideKernel(data_, options_.measure) == nullptr) return false;
  return (byColumns_ ? data_.rowCount : data_.columnCount) <= kCheapRecomputePositions;
}

bool CSideRefill::WorkInside(size_t copyBytes) const {
  if (!FromFile() && SideKernel(data_, options_.measure) == nullptr) return false;
  if (policy_.unwatched && copyBytes >= policy_.fromBytes && Cheap()) return true;
  return !CanReserve(copyBytes);
}

bool CSideRefill::Refill(CDistance& matrix) {
  if (matrix.size != Items()) return false;
  CStepTimer timer("dissimilarities again");
  ClearDiagonal(matrix);
  if (!FromFile()) {
    // The same kernel on the same cells: the same bits, in the matrix's own storage.
    const MeasureKernel kernel = SideKernel(data_, options_.measure);
    if (kernel == nullptr || !kernel(data_, byColumns_, matrix, nullptr, nullptr)) {
      Stop(kTooManyMissingMessage);
      return false;
    }
    return true;
  }
  const std::string& fileName = byColumns_ ? options_.columnFileName : options_.rowFileName;
  if (const std::string failure = ReadDissimilarityFile(matrix, fileName, nullptr);
      !failure.empty()) {
    Stop(failure);
    return false;
  }
  // The sums of the values read now must be those of the load, bit for bit.
  const int n = matrix.size;
  std::vector<double> rowSums(static_cast<size_t>(n));
  std::vector<double> rankWeighted(rowSums.size());
  const CTriangleSums sums =
      SumTriangle(matrix.values.data(), n, rowSums.data(), rankWeighted.data());
  const double mean =
      n > 0 ? 2.0 * sums.total / (static_cast<double>(n) * static_cast<double>(n)) : 0.0;
  if (!SameBits(rowSums, matrix.rowSums) || !SameBits(rankWeighted, matrix.rankWeightedRowSums) ||
      std::bit_cast<uint64_t>(mean) != std::bit_cast<uint64_t>(matrix.mean)) {
    Stop("STOP !\tThe dissimilarity file " + fileName +
         "\n\thas changed since it was read: the analysis cannot go on.\t");
    return false;
  }
  return true;
}

bool CSideRefill::ComputeInOrder(const int* sequence, int count, CDistance& target) {
  if (FromFile() || count < 0 || (count > 0 && sequence == nullptr)) return false;
  const MeasureKernel kernel = SideKernel(data_, options_.measure);
  if (kernel == nullptr) return false;
  const int items = Items();
  for (int k = 0; k < count; ++k) {
    if (sequence[k] < 0 || sequence[k] >= items) return false;
  }
  CStepTimer timer("dissimilarities in order");
  target.AllocateForOverwrite(count);
  // The pairs were formed at the load, so none can fail now; if one did, the caller falls back
  // to a copy.
  return kernel(data_, byColumns_, target, nullptr, sequence);
}
