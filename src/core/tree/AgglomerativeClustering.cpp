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
// Memory: one working triangle of n(n+1)/2 doubles plus O(n). Merged-away slots are set to
// +infinity in the triangle, so the row scans run over contiguous memory without looking at the
// active flags; only the column accesses (rows of the lower slots) follow the list of active
// slots.
#include "tree/AgglomerativeClustering.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "base/Failure.h"
#include "base/Memory.h"
#include "base/Parallel.h"
#include "base/Services.h"
#include "data/Distance.h"
#include "settings/DocumentContext.h"
#include "settings/TreatmentSettings.h"
#include "tree/Tree.h"

namespace {

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

class CClustering {
 public:
  CClustering(const CDistance& distance, int n) : n_(n) {
    const size_t cells = static_cast<size_t>(n) * (static_cast<size_t>(n) + 1) / 2;
    if (!CanReserve(CheckedBytes(cells, sizeof(double)))) ThrowAllocationFailure(n, n);
    try {
      tri_ = std::make_unique_for_overwrite<double[]>(cells);
      rows_.resize(static_cast<size_t>(n));
      nn_.assign(static_cast<size_t>(n), 0);
      nnDist_.assign(static_cast<size_t>(n), kInfinity);
      slotNode_.resize(static_cast<size_t>(n));
      size_.assign(static_cast<size_t>(n), 1.0);
      next_.resize(static_cast<size_t>(n));
      prev_.resize(static_cast<size_t>(n));
    } catch (const std::bad_alloc&) {
      ThrowAllocationFailure(n, n);
    }
    for (int r = 0; r < n; ++r)
      rows_[r] = tri_.get() + CDistance::RowOffset(r, n);
    if (distance.size == n) {
      std::memcpy(tri_.get(), distance.values.data(), cells * sizeof(double));
    } else {
      for (int r = 0; r < n; ++r)
        std::copy(distance.Row(r) + r, distance.Row(r) + n, rows_[r] + r);
    }
    for (int k = 0; k < n; ++k) {
      slotNode_[k] = k;
      next_[k] = k + 1;
      prev_[k] = k - 1;
    }
    last_ = n - 1;
  }

  void Run(int linkage, std::vector<CNode>& nodes, CProgress* progress) {
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
  // Nearest later active slot of l; dead slots hold +infinity and never win.
  void Scan(int l) {
    const int fallback = next_[l];
    if (fallback > last_) {
      nnDist_[l] = kInfinity;  // no later slot: l is never the lower end of a pair
      return;
    }
    const double* row = rows_[l];
    double best = kInfinity;
    int bestK = fallback;
    for (int m = fallback; m <= last_; ++m) {
      if (row[m] < best) {
        best = row[m];
        bestK = m;
      }
    }
    nn_[l] = bestK;
    nnDist_[l] = best;
  }

  void Unlink(int k) {
    const int before = prev_[k];
    const int after = next_[k];
    if (before >= 0)
      next_[before] = after;
    else
      head_ = after;
    if (after < n_) prev_[after] = before;
    if (k == last_) last_ = before;
  }

  template <int Rule>
  void Run(std::vector<CNode>& nodes, CProgress* progress) {
    const int n = n_;
    ParallelFor(0, n - 1, 16, [this](int j) { Scan(j); });
    for (int i = n; i < 2 * n - 1; ++i) {
      if (progress) progress->Step();
      // Closest pair: the lowest slot among the smallest distances to a nearest neighbour.
      int I = head_;
      double best = kInfinity;
      for (int j = head_; j <= last_; j = next_[j]) {
        if (nnDist_[j] < best) {
          best = nnDist_[j];
          I = j;
        }
      }
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

      Unlink(K);
      rowI[K] = kInfinity;
      const double nI = size_[I];
      const double nK = size_[K];
      // Slots before I: column accesses, along the active list.
      for (int k = head_; k < I; k = next_[k]) {
        double* row = rows_[k];
        row[I] = Update<Rule>(row[I], row[K], nI, nK, size_[k], D);
        row[K] = kInfinity;
      }
      // Slots between I and K: row I and column K.
      double nearest = kInfinity;
      int nearestK = next_[I];
      for (int k = next_[I]; k < K; k = next_[k]) {
        double& dKk = rows_[k][K];
        const double value = Update<Rule>(rowI[k], dKk, nI, nK, size_[k], D);
        rowI[k] = value;
        dKk = kInfinity;
        if (value < nearest) {
          nearest = value;
          nearestK = k;
        }
      }
      // Slots after K: rows I and K side by side; dead slots stay at +infinity.
      const double* rowK = rows_[K];
      const double* sizes = size_.data();
      for (int k = K + 1; k <= last_; ++k) {
        rowI[k] = Update<Rule>(rowI[k], rowK[k], nI, nK, sizes[k], D);
      }
      for (int k = K + 1; k <= last_; ++k) {
        if (rowI[k] < nearest) {
          nearest = rowI[k];
          nearestK = k;
        }
      }
      if (nearestK <= last_) nn_[I] = nearestK;  // else left as it was: no later slot
      nnDist_[I] = nearest;

      size_[I] = nI + nK;
      slotNode_[I] = i;
      for (int l = head_; l <= last_; l = next_[l]) {
        if (nn_[l] == I || nn_[l] == K) Scan(l);
      }
    }
  }

  int n_;
  std::unique_ptr<double[]> tri_;
  std::vector<double*> rows_;  // rows_[r][c] is the entry (r, c), c ≥ r
  std::vector<int> nn_;
  std::vector<double> nnDist_;
  std::vector<int> slotNode_;
  std::vector<double> size_;  // whole numbers, kept as doubles for the update formulas
  std::vector<int> next_;     // active slots as a list in increasing order
  std::vector<int> prev_;
  int head_ = 0;
  int last_ = 0;
};

}  // namespace

void ClusterNodes(const CDistance& distance, int n, int linkage, std::vector<CNode>& nodes,
                  CProgress* progress) {
  CClustering clustering(distance, n);
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
  clustering.Run(linkage, nodes, progress);
  nodes[2 * n - 2].parent = 0;
}

bool BuildTree(CTree& tree, const TreatmentSettings& settings) {
  const int n = tree.count;
  const int linkage = settings.AgregationCriterion;
  if (n < 2 || tree.distance == nullptr || tree.distance->size < n || linkage < 0 ||
      linkage > kWardLinkage) {
    return false;
  }
  if (tree.root != kNoNode && tree.nodes.size() == static_cast<size_t>(2 * n - 1)) {
    tree.SetHighlight(tree.root, false);
  }
  tree.selectionStart = 0;
  {
    std::unique_ptr<CProgress> progress;
    if (n > 1000 && tree.document != nullptr) {
      progress =
          tree.document->Services().OpenProgress("Hierarchical clustering in progress.", n, false);
    }
    ClusterNodes(*tree.distance, n, linkage, tree.nodes, progress.get());
  }
  tree.root = 2 * n - 2;
  tree.selectedNode = tree.root;
  tree.rootHeight = tree.Node(tree.root).height;
  // The selection is the selected node's block: the whole side.
  tree.selectionLength = n;
  tree.RebuildOrder(tree.root);
  ComputeObjectives(tree);
  tree.hasTree = true;
  tree.MarkComplete(tree.selectedNode);
  return true;
}
