// SPDX-License-Identifier: GPL-3.0-or-later
// Weighted prototypes of the rows of a large table, by k-means.
//
// Inputs: the cells (the missing-value marker allowed), K and the options. Rows are compared by
// the Euclidean distance over the positions both have; with k of the P positions present in
// both, the squared distance S is rescaled to S·P/k, as the program's Euclidean measure does,
// and a pair with no common position is infinitely far. A centre's coordinate is missing when
// none of its rows has a value there.
//
// Steps: a uniform sample of the rows (trainingRowsPerPrototype·K of them, all rows when fewer)
// is seeded by k-means++ (the first centre a uniform draw, each next one a row drawn with
// probability proportional to its squared distance to the nearest centre so far), then Lloyd
// iterations move each centre to the mean of its rows until no row changes its centre or
// maxIterations is reached (a centre left without rows stays where it was). Finally every row
// of the table goes to its nearest centre, each group becomes a prototype (the mean of its
// rows, in the table's units, weighted by their number), groups left empty are dropped, and the
// prototypes are numbered by the first row of each group. Rows without any value go to the
// first centre.
//
// Ties: the nearest centre is the lowest-numbered one among equals (numbered in seeding order).
// The draws come from a generator seeded with options.seed; every per-row result is computed by
// one thread and every sum runs in row order, so nothing depends on the number of threads.
//
// Speed: values are centred by the column means, so that ‖x − c‖² = ‖x‖² + ‖c‖² − 2·x·c loses
// little to cancellation; the products x·c of complete rows and complete centres run eight
// centres and four rows at a time. Seeding skips a row when the new centre lies at least twice
// the row's distance from the row's nearest centre (the triangle inequality: it cannot be
// nearer); rows or centres with missing values take the direct sum.
// Cost: about (iterations · sample + N) · K · P multiply-adds, and K² · P for the seeding.
// Memory: the sample's centred values and O(N) indices.
#include "data/Prototypes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <optional>

#include "base/Missing.h"
#include "base/Parallel.h"
#include "base/StepTimer.h"
#include "data/Matrix.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kLanes = 8;     // centres per panel
constexpr int kRowGroup = 4;  // rows per pass over the panels
constexpr int kChunk = 1024;  // rows per task, and per block of the seeding's sums

struct CRandom {
  uint64_t state;
  uint64_t Next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // In [0, 1).
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
};

// Σ (x − c)² over the positions present in both, rescaled to all positions; +infinity without
// a common position.
double DirectSquared(const double* x, const double* c, int positions) {
  double sum = 0.0;
  int common = 0;
  for (int p = 0; p < positions; ++p) {
    const double step = x[p] - c[p];
    if (step != step) continue;  // a NaN on either side
    sum += step * step;
    ++common;
  }
  if (common == 0) return kInfinity;
  return common == positions ? sum : sum * positions / common;
}

// Rows in centred form: values minus the column means, NaN for a missing cell.
struct CRows {
  int count = 0;
  int positions = 0;
  std::vector<double> values;
  std::vector<double> norms;            // ‖x‖² of complete rows
  std::vector<unsigned char> complete;  // no missing value
  std::vector<unsigned char> empty;     // no value at all

  const double* Row(int r) const {
    return values.data() + static_cast<size_t>(r) * static_cast<size_t>(positions);
  }
};

// Writes the centred row `source` into `out`; returns whether it is complete, and its norm.
void CentreRow(const double* source, const std::vector<double>& columnMeans, int positions,
               double* out, bool& complete, bool& empty, double& norm) {
  complete = true;
  empty = true;
  norm = 0.0;
  for (int p = 0; p < positions; ++p) {
    const double x = source[p];
    if (IsMissing(x)) {
      out[p] = kNaN;
      complete = false;
      continue;
    }
    empty = false;
    out[p] = x - columnMeans[static_cast<size_t>(p)];
    norm += out[p] * out[p];
  }
}

CRows CentredRows(const double* cells, int positions, const std::vector<double>& columnMeans,
                  const std::vector<int>& rows) {
  CRows result;
  result.count = static_cast<int>(rows.size());
  result.positions = positions;
  result.values.resize(static_cast<size_t>(result.count) * static_cast<size_t>(positions));
  result.norms.resize(static_cast<size_t>(result.count));
  result.complete.resize(static_cast<size_t>(result.count));
  result.empty.resize(static_cast<size_t>(result.count));
  const int chunks = (result.count + kChunk - 1) / kChunk;
  ParallelFor(0, chunks, 1, [&](int chunk) {
    const int end = std::min(result.count, (chunk + 1) * kChunk);
    for (int r = chunk * kChunk; r < end; ++r) {
      bool complete = false, empty = false;
      double norm = 0.0;
      const double* source = cells + static_cast<size_t>(rows[static_cast<size_t>(r)]) *
                                         static_cast<size_t>(positions);
      CentreRow(source, columnMeans, positions,
                result.values.data() + static_cast<size_t>(r) * static_cast<size_t>(positions),
                complete, empty, norm);
      result.norms[static_cast<size_t>(r)] = norm;
      result.complete[static_cast<size_t>(r)] = complete;
      result.empty[static_cast<size_t>(r)] = empty;
    }
  });
  return result;
}

// The centres, centred like the rows, with panels of kLanes centres position by position for
// the product kernel. A centre with a missing coordinate is irregular: the kernel never picks
// it (its norm is +infinity there) and the direct sum measures it instead.
class CCentres {
 public:
  explicit CCentres(int positions) : positions_(positions) {}

  int Count() const { return count_; }
  const double* Centre(int c) const {
    return values_.data() + static_cast<size_t>(c) * static_cast<size_t>(positions_);
  }
  double* Centre(int c) {
    return values_.data() + static_cast<size_t>(c) * static_cast<size_t>(positions_);
  }
  bool Regular(int c) const { return regular_[static_cast<size_t>(c)] != 0; }

  void Add(const double* values) {
    values_.insert(values_.end(), values, values + positions_);
    ++count_;
  }

  // Panels, norms and the irregular list from the values.
  void Refresh() {
    const int panels = (count_ + kLanes - 1) / kLanes;
    panels_.assign(static_cast<size_t>(panels) * kLanes * static_cast<size_t>(positions_), 0.0);
    norms_.assign(static_cast<size_t>(panels) * kLanes, kInfinity);
    regular_.assign(static_cast<size_t>(count_), 0);
    irregular_.clear();
    for (int c = 0; c < count_; ++c) {
      const double* centre = Centre(c);
      double norm = 0.0;
      bool regular = true;
      for (int p = 0; p < positions_; ++p) {
        if (centre[p] != centre[p]) {
          regular = false;
          break;
        }
        norm += centre[p] * centre[p];
      }
      regular_[static_cast<size_t>(c)] = regular;
      if (!regular) {
        irregular_.push_back(c);
        continue;
      }
      norms_[static_cast<size_t>(c)] = norm;
      double* panel = Panel(c / kLanes);
      for (int p = 0; p < positions_; ++p)
        panel[static_cast<size_t>(p) * kLanes + c % kLanes] = centre[p];
    }
  }

  int PanelCount() const { return (count_ + kLanes - 1) / kLanes; }
  const double* Panel(int g) const {
    return panels_.data() + static_cast<size_t>(g) * kLanes * static_cast<size_t>(positions_);
  }
  const double* Norms(int g) const { return norms_.data() + static_cast<size_t>(g) * kLanes; }
  const std::vector<int>& Irregular() const { return irregular_; }
  int Positions() const { return positions_; }

 private:
  double* Panel(int g) {
    return panels_.data() + static_cast<size_t>(g) * kLanes * static_cast<size_t>(positions_);
  }

  int positions_;
  int count_ = 0;
  std::vector<double> values_;
  std::vector<double> panels_;
  std::vector<double> norms_;
  std::vector<unsigned char> regular_;
  std::vector<int> irregular_;
};

typedef double Vec4 __attribute__((vector_size(4 * sizeof(double))));

// The nearest centre of a row and the squared distances to it and to the next nearest one.
struct CMatch {
  int index = -1;
  double best = kInfinity;
  double second = kInfinity;

  void Offer(double squared, int centre) {
    if (squared < best || (squared == best && centre < index)) {
      second = best;
      best = squared;
      index = centre;
    } else if (squared < second) {
      second = squared;
    }
  }
};

// For kCount complete rows: the two regular centres of least ‖c‖² − 2·x·c, the lowest index
// first among equals. Plain multiplies and adds in both builds, so both give the same bits.
template <int kCount>
inline __attribute__((always_inline)) void ScanPanels(const CCentres& centres,
                                                      const double* const* rows, CMatch* matches) {
  const int positions = centres.Positions();
  for (int g = 0; g < centres.PanelCount(); ++g) {
    const double* panel = centres.Panel(g);
    Vec4 products[kCount][2] = {};
    for (int p = 0; p < positions; ++p) {
      Vec4 low, high;
      std::memcpy(&low, panel + static_cast<size_t>(p) * kLanes, sizeof low);
      std::memcpy(&high, panel + static_cast<size_t>(p) * kLanes + 4, sizeof high);
#pragma GCC unroll 4
      for (int r = 0; r < kCount; ++r) {
        const double x = rows[r][p];
        const Vec4 broadcast = {x, x, x, x};
        products[r][0] += broadcast * low;
        products[r][1] += broadcast * high;
      }
    }
    const double* norms = centres.Norms(g);
    for (int r = 0; r < kCount; ++r) {
      CMatch& match = matches[r];
      for (int lane = 0; lane < kLanes; ++lane) {
        const double product = lane < 4 ? products[r][0][lane] : products[r][1][lane - 4];
        const double score = norms[lane] - 2.0 * product;
        if (score < match.second) match.Offer(score, g * kLanes + lane);
      }
    }
  }
}

template <int kCount>
__attribute__((target("avx2"))) void ScanPanelsAvx2(const CCentres& centres,
                                                    const double* const* rows, CMatch* matches) {
  ScanPanels<kCount>(centres, rows, matches);
}

template <int kCount>
void ScanPanelsBaseline(const CCentres& centres, const double* const* rows, CMatch* matches) {
  ScanPanels<kCount>(centres, rows, matches);
}

void ScanGroup(const CCentres& centres, const double* const* rows, int count, CMatch* matches) {
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (count == kRowGroup) {
    (avx2 ? ScanPanelsAvx2<kRowGroup> : ScanPanelsBaseline<kRowGroup>)(centres, rows, matches);
    return;
  }
  for (int r = 0; r < count; ++r)
    (avx2 ? ScanPanelsAvx2<1> : ScanPanelsBaseline<1>)(centres, rows + r, matches + r);
}

// The matches of rows[list[0 … count − 1]] over every centre.
void Search(const CRows& rows, const CCentres& centres, const int* list, int count,
            CMatch* matches) {
  int group[kRowGroup];
  int grouped = 0;
  auto flush = [&] {
    const double* starts[kRowGroup];
    CMatch found[kRowGroup];
    for (int k = 0; k < grouped; ++k)
      starts[k] = rows.Row(list[group[k]]);
    ScanGroup(centres, starts, grouped, found);
    for (int k = 0; k < grouped; ++k) {
      const double norm = rows.norms[static_cast<size_t>(list[group[k]])];
      CMatch& match = matches[group[k]];
      match = CMatch{};
      if (found[k].index >= 0) {
        match.index = found[k].index;
        match.best = norm + found[k].best;
        match.second = norm + found[k].second;
      }
      // The irregular centres by the direct sum.
      for (const int c : centres.Irregular()) {
        match.Offer(DirectSquared(rows.Row(list[group[k]]), centres.Centre(c), rows.positions), c);
      }
    }
    grouped = 0;
  };
  for (int k = 0; k < count; ++k) {
    const int r = list[k];
    if (rows.complete[static_cast<size_t>(r)]) {
      group[grouped++] = k;
      if (grouped == kRowGroup) flush();
      continue;
    }
    // A row with missing values: the direct sum over every centre, in index order.
    CMatch& match = matches[k];
    match = CMatch{};
    for (int c = 0; c < centres.Count(); ++c)
      match.Offer(DirectSquared(rows.Row(r), centres.Centre(c), rows.positions), c);
  }
  if (grouped > 0) flush();
}

// The nearest centre of each row (−1 when no centre shares a position with it) and its
// squared distance, with the next nearest one's.
void Assign(const CRows& rows, const CCentres& centres, std::vector<CMatch>& matches) {
  matches.assign(static_cast<size_t>(rows.count), CMatch{});
  const int chunks = (rows.count + kChunk - 1) / kChunk;
  ParallelFor(0, chunks, 1, [&](int chunk) {
    const int begin = chunk * kChunk;
    const int end = std::min(rows.count, begin + kChunk);
    int list[kChunk];
    for (int r = begin; r < end; ++r)
      list[r - begin] = r;
    Search(rows, centres, list, end - begin, matches.data() + begin);
  });
}

// The k-means++ centres of `rows`, at most `wanted`.
CCentres Seed(const CRows& rows, int wanted, CRandom& random) {
  const int n = rows.count;
  const int positions = rows.positions;
  CCentres centres(positions);
  std::vector<double> squared(static_cast<size_t>(n), kInfinity);
  std::vector<int> nearest(static_cast<size_t>(n), -1);
  const int blocks = (n + kChunk - 1) / kChunk;
  std::vector<double> blockSums(static_cast<size_t>(blocks), 0.0);
  std::vector<double> apart;            // per centre: distance to the newest centre
  std::vector<unsigned char> regulars;  // per centre: no missing coordinate
  // Rows without any value are never drawn (they are infinitely far from everything).
  std::vector<int> candidates;
  for (int r = 0; r < n; ++r) {
    if (!rows.empty[static_cast<size_t>(r)]) candidates.push_back(r);
  }
  if (candidates.empty()) return centres;
  int chosen = candidates[static_cast<size_t>(random.Uniform() * candidates.size())];
  while (true) {
    const int index = centres.Count();
    centres.Add(rows.Row(chosen));
    const double* centre = centres.Centre(index);
    bool regular = true;
    for (int p = 0; p < positions; ++p)
      regular &= centre[p] == centre[p];
    regulars.push_back(regular);
    // Distances between complete centres only: with missing coordinates the rescaled sum is
    // no metric, and no row is skipped.
    apart.assign(static_cast<size_t>(index), -1.0);
    if (regular) {
      ParallelFor(0, index, 64, [&](int c) {
        if (!regulars[static_cast<size_t>(c)]) return;
        const double d = DirectSquared(centres.Centre(c), centre, positions);
        apart[static_cast<size_t>(c)] = std::sqrt(d);
      });
    }
    ParallelFor(0, blocks, 1, [&](int block) {
      const int begin = block * kChunk;
      const int end = std::min(n, begin + kChunk);
      bool changed = false;
      for (int r = begin; r < end; ++r) {
        const size_t at = static_cast<size_t>(r);
        const int near = nearest[at];
        // Not nearer than its centre when twice its distance lies within the centres' gap.
        // (A relative margin keeps rounding from skipping a row that is as near.)
        if (near >= 0 && rows.complete[at] && apart[static_cast<size_t>(near)] >= 0.0 &&
            apart[static_cast<size_t>(near)] >= 2.0 * std::sqrt(squared[at]) * (1.0 + 1e-12)) {
          continue;
        }
        const double d = DirectSquared(rows.Row(r), centre, positions);
        if (d < squared[at]) {
          squared[at] = d;
          nearest[at] = index;
          changed = true;
        }
      }
      if (changed || index == 0) {
        double sum = 0.0;
        for (int r = begin; r < end; ++r) {
          const double d = squared[static_cast<size_t>(r)];
          if (d < kInfinity) sum += d;
        }
        blockSums[static_cast<size_t>(block)] = sum;
      }
    });
    if (centres.Count() >= wanted) break;
    double total = 0.0;
    for (const double sum : blockSums)
      total += sum;
    if (!(total > 0.0) || !std::isfinite(total)) break;  // every row sits on a centre
    // The row where the running sum, in row order, passes the draw.
    const double target = random.Uniform() * total;
    double running = 0.0;
    int block = 0;
    while (block + 1 < blocks && running + blockSums[static_cast<size_t>(block)] <= target) {
      running += blockSums[static_cast<size_t>(block)];
      ++block;
    }
    chosen = -1;
    int lastPositive = -1;
    for (int r = block * kChunk; r < std::min(n, (block + 1) * kChunk); ++r) {
      const double d = squared[static_cast<size_t>(r)];
      if (!(d > 0.0) || d == kInfinity) continue;
      lastPositive = r;
      running += d;
      if (running > target) {
        chosen = r;
        break;
      }
    }
    if (chosen < 0) chosen = lastPositive;
    // Rounding of the block sums may leave the draw past the rows of its block: the last row
    // with any weight then.
    for (int r = n - 1; chosen < 0 && r >= 0; --r) {
      const double d = squared[static_cast<size_t>(r)];
      if (d > 0.0 && d < kInfinity) chosen = r;
    }
    if (chosen < 0) break;
  }
  centres.Refresh();
  return centres;
}

// The members of each centre in row order: `offsets` (count + 1) into `members`.
void GroupRows(const std::vector<int>& nearest, int count, std::vector<int>& offsets,
               std::vector<int>& members) {
  offsets.assign(static_cast<size_t>(count) + 1, 0);
  for (const int c : nearest) {
    if (c >= 0) ++offsets[static_cast<size_t>(c) + 1];
  }
  for (int c = 0; c < count; ++c)
    offsets[static_cast<size_t>(c) + 1] += offsets[static_cast<size_t>(c)];
  members.assign(static_cast<size_t>(offsets.back()), 0);
  std::vector<int> fill(offsets.begin(), offsets.end() - 1);
  for (size_t r = 0; r < nearest.size(); ++r) {
    const int c = nearest[r];
    if (c >= 0) members[static_cast<size_t>(fill[static_cast<size_t>(c)]++)] = static_cast<int>(r);
  }
}

// Per position, the mean of the present values of `members` (rows of `row(r)`), in row order;
// NaN where none has a value. Returns false for no member.
template <typename RowOf>
bool MeanOf(const int* members, int count, int positions, const RowOf& row, bool markerMissing,
            double* out, std::vector<double>& sums, std::vector<int64_t>& present) {
  if (count == 0) return false;
  sums.assign(static_cast<size_t>(positions), 0.0);
  present.assign(static_cast<size_t>(positions), 0);
  for (int k = 0; k < count; ++k) {
    const double* x = row(members[k]);
    for (int p = 0; p < positions; ++p) {
      const double v = x[p];
      if (markerMissing ? IsMissing(v) : v != v) continue;
      sums[static_cast<size_t>(p)] += v;
      ++present[static_cast<size_t>(p)];
    }
  }
  for (int p = 0; p < positions; ++p) {
    const int64_t m = present[static_cast<size_t>(p)];
    out[p] = m == 0 ? (markerMissing ? kMissing : kNaN)
                    : sums[static_cast<size_t>(p)] / static_cast<double>(m);
  }
  return true;
}

CPrototypes EveryRowItsOwn(const double* cells, int rows, int positions) {
  CPrototypes result;
  result.positions = positions;
  result.means.assign(cells, cells + static_cast<size_t>(rows) * static_cast<size_t>(positions));
  result.sizes.assign(static_cast<size_t>(rows), 1);
  result.prototypeOfRow.resize(static_cast<size_t>(rows));
  std::iota(result.prototypeOfRow.begin(), result.prototypeOfRow.end(), 0);
  result.converged = true;
  return result;
}

// Moves each centre to the mean of its rows (a centre left without rows stays) and assigns the
// rows again, until no row changes its centre or `maxIterations` moves were made.
void Iterate(const CRows& rows, CCentres& centres, int maxIterations, CPrototypes& result) {
  const int positions = rows.positions;
  std::vector<CMatch> matches;
  Assign(rows, centres, matches);
  std::vector<int> assigned(static_cast<size_t>(rows.count));
  for (int r = 0; r < rows.count; ++r)
    assigned[static_cast<size_t>(r)] = matches[static_cast<size_t>(r)].index;
  std::vector<int> offsets, members;
  for (int iteration = 1; iteration <= maxIterations; ++iteration) {
    result.iterations = iteration;
    GroupRows(assigned, centres.Count(), offsets, members);
    ParallelFor(0, centres.Count(), 16, [&](int c) {
      std::vector<double> sums;
      std::vector<int64_t> present;
      const int begin = offsets[static_cast<size_t>(c)];
      const int count = offsets[static_cast<size_t>(c) + 1] - begin;
      std::vector<double> mean(static_cast<size_t>(positions));
      if (MeanOf(
              members.data() + begin, count, positions, [&](int r) { return rows.Row(r); }, false,
              mean.data(), sums, present)) {
        std::copy(mean.begin(), mean.end(), centres.Centre(c));
      }
    });
    centres.Refresh();
    if (iteration == maxIterations) break;
    Assign(rows, centres, matches);
    bool changed = false;
    for (int r = 0; r < rows.count; ++r) {
      int& a = assigned[static_cast<size_t>(r)];
      changed |= matches[static_cast<size_t>(r)].index != a;
      a = matches[static_cast<size_t>(r)].index;
    }
    if (!changed) {
      result.converged = true;
      break;
    }
  }
}

}  // namespace

std::string CPrototypes::Label(int prototype) const {
  return "P" + std::to_string(prototype + 1) +
         " (n=" + std::to_string(sizes[static_cast<size_t>(prototype)]) + ")";
}

CPrototypes ComputePrototypes(const CMatrix& table, const CPrototypeOptions& options) {
  return ComputePrototypes(table.Block(), table.rowCount, table.columnCount, options);
}

CPrototypes ComputePrototypes(const double* cells, int rows, int positions,
                              const CPrototypeOptions& options) {
  const int wanted = options.count;
  if (rows <= 0 || positions <= 0 || wanted < 1 || wanted >= rows) {
    return EveryRowItsOwn(cells, std::max(rows, 0), std::max(positions, 0));
  }
  // Column means over the present values, for the centring.
  std::vector<double> columnMeans(static_cast<size_t>(positions), 0.0);
  {
    std::vector<int64_t> present(static_cast<size_t>(positions), 0);
    for (int r = 0; r < rows; ++r) {
      const double* row = cells + static_cast<size_t>(r) * static_cast<size_t>(positions);
      for (int p = 0; p < positions; ++p) {
        if (IsMissing(row[p])) continue;
        columnMeans[static_cast<size_t>(p)] += row[p];
        ++present[static_cast<size_t>(p)];
      }
    }
    for (int p = 0; p < positions; ++p) {
      const int64_t m = present[static_cast<size_t>(p)];
      columnMeans[static_cast<size_t>(p)] =
          m > 0 ? columnMeans[static_cast<size_t>(p)] / static_cast<double>(m) : 0.0;
    }
  }

  // The training sample: a uniform choice of rows, kept in row order.
  CRandom random{options.seed};
  const int64_t perPrototype = std::max(1, options.trainingRowsPerPrototype);
  const int sampleSize =
      static_cast<int>(std::min<int64_t>(rows, perPrototype * static_cast<int64_t>(wanted)));
  std::vector<int> sample(static_cast<size_t>(rows));
  std::iota(sample.begin(), sample.end(), 0);
  if (sampleSize < rows) {
    for (int k = 0; k < sampleSize; ++k) {
      const int pick = k + static_cast<int>(random.Next() % static_cast<uint64_t>(rows - k));
      std::swap(sample[static_cast<size_t>(k)], sample[static_cast<size_t>(pick)]);
    }
    sample.resize(static_cast<size_t>(sampleSize));
    std::sort(sample.begin(), sample.end());
  }
  const CRows training = CentredRows(cells, positions, columnMeans, sample);

  std::optional<CStepTimer> timer(std::in_place, "prototypes: seeding");
  CCentres centres = Seed(training, wanted, random);
  timer.emplace("prototypes: iterations");
  CPrototypes result;
  result.positions = positions;
  if (centres.Count() == 0) {
    // No row has a value: one prototype of everything.
    centres.Add(std::vector<double>(static_cast<size_t>(positions), kNaN).data());
    centres.Refresh();
  }

  Iterate(training, centres, options.maxIterations, result);

  timer.emplace("prototypes: groups");
  // Every row to its nearest centre; the groups become the prototypes.
  std::vector<int> offsets, members;
  std::vector<CMatch> matches;
  std::vector<int> all(static_cast<size_t>(rows));
  std::iota(all.begin(), all.end(), 0);
  std::vector<int> groupOf(static_cast<size_t>(rows), -1);
  for (int begin = 0; begin < rows; begin += 64 * kChunk) {
    // In slices, so that the centred copy stays small.
    const int end = std::min(rows, begin + 64 * kChunk);
    const std::vector<int> slice(all.begin() + begin, all.begin() + end);
    const CRows part = CentredRows(cells, positions, columnMeans, slice);
    Assign(part, centres, matches);
    for (int r = begin; r < end; ++r)
      groupOf[static_cast<size_t>(r)] = std::max(0, matches[static_cast<size_t>(r - begin)].index);
  }
  // Numbered by the first row of each group.
  std::vector<int> number(static_cast<size_t>(centres.Count()), -1);
  int prototypes = 0;
  result.prototypeOfRow.resize(static_cast<size_t>(rows));
  for (int r = 0; r < rows; ++r) {
    int& n = number[static_cast<size_t>(groupOf[static_cast<size_t>(r)])];
    if (n < 0) n = prototypes++;
    result.prototypeOfRow[static_cast<size_t>(r)] = n;
  }
  GroupRows(result.prototypeOfRow, prototypes, offsets, members);
  result.sizes.resize(static_cast<size_t>(prototypes));
  result.means.resize(static_cast<size_t>(prototypes) * static_cast<size_t>(positions));
  ParallelFor(0, prototypes, 16, [&](int k) {
    std::vector<double> sums;
    std::vector<int64_t> present;
    const int begin = offsets[static_cast<size_t>(k)];
    const int count = offsets[static_cast<size_t>(k) + 1] - begin;
    result.sizes[static_cast<size_t>(k)] = count;
    MeanOf(
        members.data() + begin, count, positions,
        [&](int r) { return cells + static_cast<size_t>(r) * static_cast<size_t>(positions); },
        true, result.means.data() + static_cast<size_t>(k) * static_cast<size_t>(positions), sums,
        present);
  });
  return result;
}
