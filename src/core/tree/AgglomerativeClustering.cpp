// SPDX-License-Identifier: GPL-3.0-or-later
// Agglomerative hierarchical clustering of one side with five Lance–Williams linkage rules.
//
// Input: the packed dissimilarity triangle of n items and a rule (complete, single, McQuitty,
// average, Ward). Slot j holds the cluster that contains item j while it is active; merging
// slots I < K keeps I, and the new node of merge i (n ≤ i ≤ 2n − 2) has the cluster of I on its
// left. Each slot keeps its nearest later slot (nn, nnDist).
//
// Ties: every minimum search replaces its candidate only on a strictly smaller value, so the
// closest pair is the one of the lowest slot j, and a slot's nearest neighbour is its lowest
// later slot among equals. After a merge only the slots whose nearest neighbour was I or K are
// rescanned; the others keep theirs even when the merged cluster now ties with it. The running
// minima start at +infinity, with the first candidate in scan order as the fallback, so
// dissimilarities of any size are merged (1e20 is not a bound).
//
// Cost: each merge O(n) plus one row scan per rescanned slot: O(n²) typically, O(n³) at worst.
// Memory: one working triangle of n(n+1)/2 doubles plus O(n); the in-place entry works inside
// the side's own triangle (consuming it) and needs O(n) only.
//
// Layout: the working triangle holds the active slots only, in slot order, at "positions"; it
// is repacked in place whenever half of its positions have been merged away, so that scans run
// over short rows and the column accesses (the rows of lower slots) stay close together. Since
// repacking keeps the slot order, comparing positions compares slots and every tie rule holds.
// Between repackings, merged-away positions hold +infinity, so row scans run over contiguous
// memory without looking at the active flags; only the column accesses follow the list of
// active positions.
//
// Threads: a merge among many active slots shares its work with a helper thread. The positions
// are cut into stretches; each stretch's updates are written by the one thread that takes it,
// and the first smallest value of each stretch (of I's new row, of each rescanned row) is
// combined with the others in position order, which is the minimum one walk finds. So the nodes
// are the same whatever the threads.
#include "tree/AgglomerativeClustering.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "base/Failure.h"
#include "base/Memory.h"
#include "base/Parallel.h"
#include "base/Progress.h"
#include "base/StepTimer.h"
#include "base/WorkShare.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/TriangleRefill.h"
#include "tree/Tree.h"

namespace {

constexpr int kCompleteLinkage = CodeOf(ELinkage::kComplete);
constexpr int kSingleLinkage = CodeOf(ELinkage::kSingle);
constexpr int kMcQuittyLinkage = CodeOf(ELinkage::kMcQuitty);
constexpr int kAverageLinkage = CodeOf(ELinkage::kAverage);
constexpr int kWardLinkage = CodeOf(ELinkage::kWard);

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The dissimilarity of the merged cluster I ∪ K to cluster k.
template <int Rule>
inline double Update(double dIk, double dKk, double nI, double nK, double nk, double D) {
  if constexpr (Rule == kCompleteLinkage) {
    return std::max(dIk, dKk);
  } else if constexpr (Rule == kSingleLinkage) {
    return std::min(dIk, dKk);
  } else if constexpr (Rule == kMcQuittyLinkage) {
    return 0.5 * dIk + 0.5 * dKk;
  } else if constexpr (Rule == kAverageLinkage) {
    return (nI * dIk + nK * dKk) / (nI + nK);
  } else {
    return ((nk + nI) * dIk + (nk + nK) * dKk - nk * D) / (nI + nK + nk);
  }
}

// Slots looked ahead in the column loops, and the hint that loads a line for writing.
constexpr int kPrefetchDistance = 16;
inline void Prefetch(const double* address) {
  __builtin_prefetch(address, 1, 3);
}

// Continues a running minimum (best at bestIndex) over values[begin, end): replaced only by a
// strictly smaller value, so the first of equal values wins. Four lanes run side by side and
// are combined (smallest value, then lowest index), which gives the result of one pass in index
// order: each lane keeps its own first minimum.
inline void ScanMinimum(const double* values, int begin, int end, double& best, int& bestIndex) {
  int k = begin;
  if (end - begin >= 16) {
    double b0 = kInfinity, b1 = kInfinity, b2 = kInfinity, b3 = kInfinity;
    int a0 = -1, a1 = -1, a2 = -1, a3 = -1;
    auto lane = [](double value, int index, double& laneBest, int& laneAt) {
      const bool smaller = value < laneBest;
      laneBest = smaller ? value : laneBest;
      laneAt = smaller ? index : laneAt;
    };
    for (; k + 4 <= end; k += 4) {
      lane(values[k], k, b0, a0);
      lane(values[k + 1], k + 1, b1, a1);
      lane(values[k + 2], k + 2, b2, a2);
      lane(values[k + 3], k + 3, b3, a3);
    }
    const double lanes[4] = {b0, b1, b2, b3};
    const int at[4] = {a0, a1, a2, a3};
    double rangeBest = kInfinity;
    int rangeIndex = -1;
    for (int j = 0; j < 4; ++j) {
      if (at[j] < 0) continue;
      if (rangeIndex < 0 || lanes[j] < rangeBest || (lanes[j] == rangeBest && at[j] < rangeIndex)) {
        rangeBest = lanes[j];
        rangeIndex = at[j];
      }
    }
    if (rangeIndex >= 0 && rangeBest < best) {
      best = rangeBest;
      bestIndex = rangeIndex;
    }
  }
  for (; k < end; ++k) {
    if (values[k] < best) {
      best = values[k];
      bestIndex = k;
    }
  }
}

// The working triangle: uninitialised, and on Linux in huge pages where the system allows,
// which spares most page-table walks of the column accesses.
struct CFreeBlock {
  void operator()(double* block) const { std::free(block); }
};
using CBlock = std::unique_ptr<double[], CFreeBlock>;

CBlock AllocateTriangle(size_t cells) {
  constexpr size_t kHugePage = size_t{2} << 20;
  const size_t bytes = (cells * sizeof(double) + kHugePage - 1) / kHugePage * kHugePage;
  void* block = std::aligned_alloc(kHugePage, bytes);
  if (block == nullptr) throw std::bad_alloc();
#if defined(__linux__)
  madvise(block, bytes, MADV_HUGEPAGE);
#endif
  return CBlock(static_cast<double*>(block));
}

class CClustering {
 public:
  // Works on a copy of the first n items' triangle.
  CClustering(const CDistance& distance, int n) : m_(n) {
    const size_t cells = static_cast<size_t>(n) * (static_cast<size_t>(n) + 1) / 2;
    if (!CanReserve(CheckedBytes(cells, sizeof(double)))) ThrowAllocationFailure(n, n);
    try {
      owned_ = AllocateTriangle(cells);
    } catch (const std::bad_alloc&) {
      ThrowAllocationFailure(n, n);
    }
    tri_ = owned_.get();
    Reserve(n);
    if (distance.size == n) {
      std::memcpy(tri_, distance.values.data(), cells * sizeof(double));
    } else {
      for (int r = 0; r < n; ++r) {
        std::copy(distance.Row(r) + r, distance.Row(r) + n, rows_[r] + r);
      }
    }
    for (int k = 0; k < n; ++k)
      slotNode_[k] = k;
    LinkAll();
  }

  // Works inside the triangle of all items of `distance`, which it consumes: the merges
  // overwrite it with the cluster dissimilarities, +infinity and repacked rows.
  explicit CClustering(CDistance& distance) : m_(distance.size), tri_(distance.values.data()) {
    Reserve(m_);
    for (int k = 0; k < m_; ++k)
      slotNode_[k] = k;
    LinkAll();
  }

  // Merges with at least `shareFrom` active slots share their work with a helper thread.
  void Run(int linkage, std::vector<CNode>& nodes, CProgress* progress, int shareFrom) {
    shareFrom_ = shareFrom;
    std::unique_ptr<CWorkShare> share;
    if (m_ >= shareFrom) {
      share = std::make_unique<CWorkShare>();
      if (share->HasHelper()) share_ = share.get();
    }
    switch (linkage) {
      case kCompleteLinkage:
        return Run<kCompleteLinkage>(nodes, progress);
      case kSingleLinkage:
        return Run<kSingleLinkage>(nodes, progress);
      case kMcQuittyLinkage:
        return Run<kMcQuittyLinkage>(nodes, progress);
      case kAverageLinkage:
        return Run<kAverageLinkage>(nodes, progress);
      default:
        return Run<kWardLinkage>(nodes, progress);
    }
  }

 private:
  // The O(n) arrays, and the row starts over the triangle.
  void Reserve(int n) {
    try {
      rows_.resize(static_cast<size_t>(n));
      nn_.assign(static_cast<size_t>(n), -1);
      nnDist_.assign(static_cast<size_t>(n), kInfinity);
      slotNode_.resize(static_cast<size_t>(n));
      size_.assign(static_cast<size_t>(n), 1.0);
      next_.resize(static_cast<size_t>(n));
      prev_.resize(static_cast<size_t>(n));
      alive_.resize(static_cast<size_t>(n));
      active_.reserve(static_cast<size_t>(n));
    } catch (const std::bad_alloc&) {
      ThrowAllocationFailure(n, n);
    }
    SetRows();
  }

  void SetRows() {
    for (int r = 0; r < m_; ++r)
      rows_[r] = tri_ + CDistance::RowOffset(r, m_);
  }

  void LinkAll() {
    for (int k = 0; k < m_; ++k) {
      next_[k] = k + 1;
      prev_[k] = k - 1;
      alive_[k] = 1;
    }
    head_ = 0;
    last_ = m_ - 1;
    activeCount_ = m_;
  }

  // Nearest later active position of l; merged-away positions hold +infinity and never win.
  void Scan(int l) {
    const int fallback = next_[l];
    if (fallback > last_) {
      nnDist_[l] = kInfinity;  // no later slot: l is never the lower end of a pair
      return;
    }
    double best = kInfinity;
    int bestK = fallback;
    ScanMinimum(rows_[l], fallback, last_ + 1, best, bestK);
    nn_[l] = bestK;
    nnDist_[l] = best;
  }

  void Remove(int k) {
    const int before = prev_[k];
    const int after = next_[k];
    if (before >= 0) {
      next_[before] = after;
    } else {
      head_ = after;
    }
    if (after < m_) prev_[after] = before;
    if (k == last_) last_ = before;
    alive_[k] = 0;
    nn_[k] = -1;
    nnDist_[k] = kInfinity;
    --activeCount_;
  }

  // Packs the active positions to the front of the triangle, keeping their order.
  void Repack() {
    active_.clear();
    for (int k = head_; k <= last_; k = next_[k])
      active_.push_back(k);
    const int m = static_cast<int>(active_.size());
    // Every entry moves to a lower or equal address, and entries are moved in increasing
    // order of both addresses: nothing is overwritten before it is read.
    double* base = tri_;
    for (int r = 0; r < m; ++r) {
      const double* source = rows_[active_[r]];
      double* target = base + CDistance::RowOffset(r, m);
      for (int s = r; s < m; ++s)
        target[s] = source[active_[s]];
    }
    std::vector<int>& newPosition = prev_;  // reused as scratch before relinking
    for (int r = 0; r < m; ++r)
      newPosition[active_[r]] = r;
    for (int r = 0; r < m; ++r) {
      const int old = active_[r];
      const int neighbour = nn_[old];
      // Only the last slot can point at a merged-away one (it has no later slot).
      nn_[r] = neighbour >= 0 && IsActive(neighbour) ? newPosition[neighbour] : -1;
      nnDist_[r] = nnDist_[old];
      slotNode_[r] = slotNode_[old];
      size_[r] = size_[old];
    }
    m_ = m;
    SetRows();
    LinkAll();
  }

  // The first smallest of a stretch, found by a part of a shared merge; index −1 when every
  // value of the stretch is +infinity (or NaN).
  struct CMinimum {
    double best = kInfinity;
    int index = -1;
  };
  // A stretch of one rescanned slot's row.
  struct CPiece {
    int rescan;  // index into rescanned_
    int begin;
    int end;
  };
  static constexpr int kPartPositions = 2048;

  // The merge of I and K with their work cut into stretches of positions: every slot's new
  // dissimilarity to I (and +infinity towards K), each written by one part, and I's nearest
  // later slot as the first smallest over the parts in position order, which is what the walk
  // over the whole row finds.
  template <int Rule>
  void MergeShared(int I, int K, double D) {
    double* rowI = rows_[I];
    const double* rowK = rows_[K];
    const double nI = size_[I];
    const double nK = size_[K];
    const double* sizes = size_.data();
    const unsigned char* alive = alive_.data();
    const int* next = next_.data();
    double* const* rows = rows_.data();
    const int head = head_;
    const int end = last_ + 1;
    const int parts = (end - head + kPartPositions - 1) / kPartPositions;
    partMinima_.assign(static_cast<size_t>(parts), CMinimum{});
    auto part = [&](int p) {
      const int a = head + p * kPartPositions;
      const int b = std::min(end, a + kPartPositions);
      // The active slots of the stretch, along the list; the entries of the rows a few slots
      // ahead are fetched early, so that their cache misses overlap.
      int first = a;
      while (first < b && !alive[first])
        ++first;
      int ahead = first;
      for (int step = 0; step < kPrefetchDistance && ahead < b; ++step)
        ahead = next[ahead];
      // Slots before I: column accesses.
      const int columnsEnd = std::min(b, I);
      int k = first;
      for (; k < columnsEnd; k = next[k]) {
        if (ahead < columnsEnd) {
          Prefetch(rows[ahead] + I);
          Prefetch(rows[ahead] + K);
          ahead = next[ahead];
        }
        double* row = rows[k];
        row[I] = Update<Rule>(row[I], row[K], nI, nK, sizes[k], D);
        row[K] = kInfinity;
      }
      CMinimum& minimum = partMinima_[static_cast<size_t>(p)];
      // Slots between I and K: row I and column K.
      if (k == I) k = next[I];
      const int betweenEnd = std::min(b, K);
      for (; k < betweenEnd; k = next[k]) {
        if (ahead < betweenEnd) {
          Prefetch(rows[ahead] + K);
          ahead = next[ahead];
        }
        double& dKk = rows[k][K];
        const double value = Update<Rule>(rowI[k], dKk, nI, nK, sizes[k], D);
        rowI[k] = value;
        dKk = kInfinity;
        if (value < minimum.best) {
          minimum.best = value;
          minimum.index = k;
        }
      }
      // Slots after K: rows I and K side by side; merged-away positions stay at +infinity.
      const int after = std::max(a, K + 1);
      for (int k = after; k < b; ++k)
        rowI[k] = Update<Rule>(rowI[k], rowK[k], nI, nK, sizes[k], D);
      if (after < b) ScanMinimum(rowI, after, b, minimum.best, minimum.index);
    };
    share_->Run(parts, part);
    double nearest = kInfinity;
    int nearestK = next_[I];
    for (const CMinimum& minimum : partMinima_) {
      if (minimum.index >= 0 && minimum.best < nearest) {
        nearest = minimum.best;
        nearestK = minimum.index;
      }
    }
    if (nearestK <= last_) nn_[I] = nearestK;  // else left as it was: no later slot
    nnDist_[I] = nearest;
  }

  // The slots whose nearest neighbour was I or K look for it again, their rows cut into
  // stretches shared by the threads; each takes the first smallest over its stretches in
  // position order, as Scan does.
  void RescanShared(int I, int K) {
    const int end = last_ + 1;
    rescanned_.clear();
    pieces_.clear();
    for (int l = head_; l < end; ++l) {
      if (nn_[l] != I && nn_[l] != K) continue;
      const int from = next_[l];
      if (from > last_) {
        nnDist_[l] = kInfinity;  // no later slot, as in Scan
        continue;
      }
      const int rescan = static_cast<int>(rescanned_.size());
      rescanned_.push_back(l);
      for (int begin = from; begin < end; begin += kPartPositions)
        pieces_.push_back({rescan, begin, std::min(end, begin + kPartPositions)});
    }
    if (rescanned_.empty()) return;
    partMinima_.assign(pieces_.size(), CMinimum{});
    auto piece = [&](int p) {
      const CPiece& stretch = pieces_[static_cast<size_t>(p)];
      CMinimum& minimum = partMinima_[static_cast<size_t>(p)];
      ScanMinimum(rows_[rescanned_[static_cast<size_t>(stretch.rescan)]], stretch.begin,
                  stretch.end, minimum.best, minimum.index);
    };
    share_->Run(static_cast<int>(pieces_.size()), piece);
    size_t p = 0;
    for (size_t r = 0; r < rescanned_.size(); ++r) {
      const int l = rescanned_[r];
      double best = kInfinity;
      int bestK = next_[l];
      for (; p < pieces_.size() && pieces_[p].rescan == static_cast<int>(r); ++p) {
        const CMinimum& minimum = partMinima_[p];
        if (minimum.index >= 0 && minimum.best < best) {
          best = minimum.best;
          bestK = minimum.index;
        }
      }
      nn_[l] = bestK;
      nnDist_[l] = best;
    }
  }

  bool IsActive(int k) const { return std::binary_search(active_.begin(), active_.end(), k); }

  template <int Rule>
  void Run(std::vector<CNode>& nodes, CProgress* progress) {
    const int n = m_;
    ParallelFor(0, n - 1, 16, [this](int j) { Scan(j); });
    for (int i = n; i < 2 * n - 1; ++i) {
      if (progress) progress->Step();
      // Closest pair: the lowest slot among the smallest distances to a nearest neighbour;
      // merged-away positions and the last slot hold +infinity.
      int I = head_;
      double best = kInfinity;
      ScanMinimum(nnDist_.data(), head_, last_ + 1, best, I);
      const int K = nn_[I];
      double* rowI = rows_[I];
      const double D = rowI[K];

      CNode& node = nodes[i];
      node.index = i;
      node.left = slotNode_[I];
      node.right = slotNode_[K];
      node.height = D;
      node.count = nodes[node.left].count + nodes[node.right].count;
      node.first = nodes[node.left].first;
      nodes[node.left].parent = nodes[node.right].parent = i;

      Remove(K);
      rowI[K] = kInfinity;
      const double nI = size_[I];
      const double nK = size_[K];
      if (share_ != nullptr && activeCount_ >= shareFrom_) {
        MergeShared<Rule>(I, K, D);
        size_[I] = nI + nK;
        slotNode_[I] = i;
        RescanShared(I, K);
        if (activeCount_ >= 64 && 2 * activeCount_ <= m_) Repack();
        continue;
      }
      // Slots before I: column accesses, along the active list. The entries of the rows a few
      // slots ahead are fetched early, so that their cache misses overlap.
      int ahead = head_;
      for (int step = 0; step < kPrefetchDistance && ahead < K; ++step)
        ahead = next_[ahead];
      for (int k = head_; k < I; k = next_[k]) {
        if (ahead < K) {
          Prefetch(rows_[ahead] + I);
          Prefetch(rows_[ahead] + K);
          ahead = next_[ahead];
        }
        double* row = rows_[k];
        row[I] = Update<Rule>(row[I], row[K], nI, nK, size_[k], D);
        row[K] = kInfinity;
      }
      // Slots between I and K: row I and column K.
      double nearest = kInfinity;
      int nearestK = next_[I];
      for (int k = next_[I]; k < K; k = next_[k]) {
        if (ahead < K) {
          Prefetch(rows_[ahead] + K);
          ahead = next_[ahead];
        }
        double& dKk = rows_[k][K];
        const double value = Update<Rule>(rowI[k], dKk, nI, nK, size_[k], D);
        rowI[k] = value;
        dKk = kInfinity;
        if (value < nearest) {
          nearest = value;
          nearestK = k;
        }
      }
      // Slots after K: rows I and K side by side; merged-away positions stay at +infinity.
      const double* rowK = rows_[K];
      const double* sizes = size_.data();
      const int end = last_ + 1;
      for (int k = K + 1; k < end; ++k) {
        rowI[k] = Update<Rule>(rowI[k], rowK[k], nI, nK, sizes[k], D);
      }
      ScanMinimum(rowI, K + 1, end, nearest, nearestK);
      if (nearestK <= last_) nn_[I] = nearestK;  // else left as it was: no later slot
      nnDist_[I] = nearest;

      size_[I] = nI + nK;
      slotNode_[I] = i;
      for (int l = head_; l < end; ++l) {
        if (nn_[l] == I || nn_[l] == K) Scan(l);
      }
      if (activeCount_ >= 64 && 2 * activeCount_ <= m_) Repack();
    }
  }

  int m_;         // positions of the current triangle
  CBlock owned_;  // the copy, unless the clustering works inside the side's triangle
  double* tri_ = nullptr;
  std::vector<double*> rows_;  // rows_[r][c] is the entry of positions (r, c), c ≥ r
  std::vector<int> nn_;        // −1 for merged-away positions
  std::vector<double> nnDist_;
  std::vector<int> slotNode_;
  std::vector<double> size_;  // whole numbers, kept as doubles for the update formulas
  std::vector<int> next_;     // active positions as a list in increasing order
  std::vector<int> prev_;
  std::vector<unsigned char> alive_;  // per position: an active slot
  std::vector<int> active_;           // scratch of Repack
  CWorkShare* share_ = nullptr;       // the helper of the large merges, if any
  int shareFrom_ = 0;
  std::vector<CMinimum> partMinima_;  // scratch of the shared merges
  std::vector<int> rescanned_;
  std::vector<CPiece> pieces_;
  int head_ = 0;
  int last_ = 0;
  int activeCount_ = 0;
};

}  // namespace

namespace {

void RunClustering(CClustering& clustering, int n, int linkage, std::vector<CNode>& nodes,
                   CProgress* progress, int shareFrom) {
  try {
    nodes.resize(static_cast<size_t>(2 * n - 1));
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure();
  }
  // Every node starts afresh: group lists, completeness and seriation marks of an earlier
  // clustering do not describe the new tree.
  for (int k = 0; k < 2 * n - 1; ++k) {
    CNode& node = nodes[k];
    node = CNode{};
    node.index = k;
    node.expanded = true;
    if (k < n) {
      node.left = k;
      node.right = -1;
      node.count = 1;
      node.first = k;
    }
  }
  clustering.Run(linkage, nodes, progress, shareFrom);
  nodes[2 * n - 2].parent = 0;
}

}  // namespace

void ClusterNodes(const CDistance& distance, int n, ELinkage rule, std::vector<CNode>& nodes,
                  CProgress* progress, int shareFrom) {
  const int linkage = CodeOf(rule);
  if (n < 2 || linkage < kCompleteLinkage || linkage > kWardLinkage) return;
  CClustering clustering(distance, n);
  RunClustering(clustering, n, linkage, nodes, progress, shareFrom);
}

bool ClusterNodesInPlace(CDistance& distance, ELinkage rule, std::vector<CNode>& nodes,
                         CProgress* progress, int shareFrom) {
  const int n = distance.size;
  const int linkage = CodeOf(rule);
  if (n < 2 || linkage < kCompleteLinkage || linkage > kWardLinkage) return false;
  if (distance.values.size() != static_cast<size_t>(n) * (static_cast<size_t>(n) + 1) / 2) {
    return false;
  }
  CClustering clustering(distance);
  RunClustering(clustering, n, linkage, nodes, progress, shareFrom);
  return true;
}

bool BuildTree(CTree& tree, ELinkage rule, CProgressReporter* reporter, CTriangleRefill* refill) {
  const int n = tree.count;
  const int linkage = CodeOf(rule);
  if (n < 2 || tree.distance == nullptr || tree.distance->size < n || linkage < 0 ||
      linkage > kWardLinkage) {
    return false;
  }
  if (tree.root != kNoNode && tree.nodes.size() == static_cast<size_t>(2 * n - 1)) {
    tree.SetHighlight(tree.root, false);
  }
  tree.selectionStart = 0;
  {
    std::unique_ptr<CProgress> progress =
        OpenItemProgress(reporter, "Hierarchical clustering in progress.", n);
    CStepTimer timer("clustering proper");
    // Inside the side's triangle when it can be refilled: no second n² buffer.
    CDistance& matrix = *tree.distance;
    const size_t copyBytes = matrix.values.size() * sizeof(double);
    if (refill != nullptr && n == matrix.size && refill->WorkInside(copyBytes) &&
        ClusterNodesInPlace(matrix, rule, tree.nodes, progress.get())) {
      if (!refill->Refill(matrix)) throw CProgramExit(1);
    } else {
      ClusterNodes(matrix, n, rule, tree.nodes, progress.get());
    }
  }
  tree.root = 2 * n - 2;
  tree.selectedNode = tree.root;
  tree.rootHeight = tree.Node(tree.root).height;
  // The selection is the selected node's block: the whole side.
  tree.selectionLength = n;
  tree.RebuildOrder(tree.root);
  tree.hasTree = true;
  tree.MarkComplete(tree.selectedNode);
  // A cut belonged to the tree this one replaces (its marks stay with the items).
  tree.cutClusters.clear();
  tree.cutHeight.reset();
  return true;
}

bool HeightsAreFinite(const CTree& tree) {
  for (const CNode& node : tree.nodes) {
    if (!std::isfinite(node.height)) return false;
  }
  return std::isfinite(tree.rootHeight);
}
