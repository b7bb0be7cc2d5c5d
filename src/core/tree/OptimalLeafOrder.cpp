// The optimal leaf order of a binary tree: among the orders that exchanges of children reach, one
// of least path length Σ d(consecutive leaves).
//
// Inputs: the tree and the dissimilarities of its items. Bottom-up, every node v with children X
// and Y gets the table cost(v; u, w), the least length of an order of v's leaves from leaf u of X
// to leaf w of Y (an order and its reverse have the same length). Such an order runs through X
// from u to a leaf k of the other child of X (k = u when X is a leaf), steps to a leaf m of the
// other child of Y than w's (m = w when Y is a leaf) and runs through Y from m to w:
//     cost(v; u, w) = min over k, m of (cost(X; u, k) + d(k, m)) + cost(Y; m, w),
// taken as two (min, +) matrix products, first over k for every (u, m), then over m for every
// (u, w). The top node and its two children need no table: the best order of the top joins, for a
// leaf u of one child and m of the other, the cheapest order of the first child ending at u, the
// step d(u, m) and the cheapest order of the second starting at m; and for a child A of the top
// with children X and Y, the cheapest order of A ending at u in X is min over k of
// cost(X; u, k) + f(k), with f(k) = min over m in Y of d(k, m) + e(m) and e(m) the cheapest order
// of Y starting at m. This leaves the cubic work to the nodes two levels below the top.
//
// Ties: every running minimum starts at +infinity (so no path is too long to be found) and is
// replaced only by a strictly smaller sum; at the top the first u, then the first m, in the
// current leaf order win; below it the first k and m in leaf order that realise a chosen pair of
// end points win.
//
// Layout: the leaves are numbered by their position in the current order, so every subtree is a
// range of positions and every table a block of one n × n matrix M. It starts with d in its upper
// triangle; the pairs (u, w) whose lowest common ancestor is v receive cost(v; u, w) at M[u][w]
// (u < w) when v is done, and hold the intermediate sums of v's first product at M[w][u] while it
// runs. The order is then read back top-down, recomputing at each node the k and m that realise
// the chosen end points.
//
// Cost: time Σ over the nodes two or more levels below the top of |X|·|Y|·(|X| + |Y|)/2 at most,
// about n³/96 for a balanced tree, O(n²) for a chain; memory n² doubles.
#include "tree/OptimalLeafOrder.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <new>
#include <numeric>
#include <stdexcept>
#include <utility>

#include "base/Failure.h"
#include "base/Memory.h"
#include "base/Parallel.h"
#include "data/Distance.h"
#include "tree/MinPlusProduct.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Positions of the leaves in the current order, and per node the range of its leaves.
struct CLayout {
  std::vector<int> preorder;  // the nodes reached from the root, each before its children
  std::vector<int> first;     // per node: position of its first leaf
  std::vector<int> count;     // per node: number of its leaves
  std::vector<int> depth;     // per node: edges from the root
  std::vector<int> itemAt;    // per position: the item of the leaf
};

CLayout Walk(const CBinaryTree& tree, int itemCount) {
  const size_t nodes = tree.left.size();
  if (tree.right.size() != nodes || tree.item.size() != nodes) {
    throw std::invalid_argument("tree arrays of different lengths");
  }
  if (tree.root < 0 || static_cast<size_t>(tree.root) >= nodes) {
    throw std::invalid_argument("tree root out of range");
  }
  CLayout layout;
  layout.first.assign(nodes, 0);
  layout.count.assign(nodes, 0);
  layout.depth.assign(nodes, 0);
  std::vector<char> seen(nodes, 0);
  std::vector<int> stack{tree.root};
  seen[static_cast<size_t>(tree.root)] = 1;
  while (!stack.empty()) {
    const int v = stack.back();
    stack.pop_back();
    layout.preorder.push_back(v);
    const size_t at = static_cast<size_t>(v);
    if (tree.left[at] < 0) {
      const int item = tree.item[at];
      if (item < 0 || item >= itemCount) throw std::invalid_argument("leaf item out of range");
      layout.first[at] = static_cast<int>(layout.itemAt.size());
      layout.count[at] = 1;
      layout.itemAt.push_back(item);
      continue;
    }
    // The right child goes on the stack first, so the left subtree is walked first.
    for (const int child : {tree.right[at], tree.left[at]}) {
      if (child < 0 || static_cast<size_t>(child) >= nodes || seen[static_cast<size_t>(child)]) {
        throw std::invalid_argument("not a binary tree");
      }
      seen[static_cast<size_t>(child)] = 1;
      layout.depth[static_cast<size_t>(child)] = layout.depth[at] + 1;
      stack.push_back(child);
    }
  }
  for (auto v = layout.preorder.rbegin(); v != layout.preorder.rend(); ++v) {
    const size_t at = static_cast<size_t>(*v);
    if (tree.left[at] < 0) continue;
    const size_t left = static_cast<size_t>(tree.left[at]);
    const size_t right = static_cast<size_t>(tree.right[at]);
    layout.first[at] = layout.first[left];
    layout.count[at] = layout.count[left] + layout.count[right];
  }
  return layout;
}

// A half-open range of leaf positions.
struct CRange {
  int begin;
  int end;
};

// One stretch of the final order: the leaves of `node` from position `from` to position `to`.
struct CStretch {
  int node;
  int from;
  int to;
};

class CLeafOrderSolver {
 public:
  CLeafOrderSolver(const CBinaryTree& tree, const CDistance& distance, const CLayout& layout)
      : tree_(tree),
        distance_(distance),
        layout_(layout),
        n_(static_cast<int>(layout.itemAt.size())) {}

  std::vector<int> Solve() {
    Allocate();
    FillDissimilarities();
    // Children before parents: the preorder read backwards.
    for (auto v = layout_.preorder.rbegin(); v != layout_.preorder.rend(); ++v) {
      if (!IsLeaf(*v) && Depth(*v) >= 2) BuildTable(*v);
    }
    const int top = tree_.root;
    end_.assign(static_cast<size_t>(n_), 0.0);
    toSibling_.assign(static_cast<size_t>(n_), 0.0);
    cheapest_.assign(static_cast<size_t>(n_), 0.0);
    for (const int child : {Left(top), Right(top)}) {
      if (!IsLeaf(child)) ComputeCheapestEnds(child);
    }
    return ReadBack();
  }

 private:
  bool IsLeaf(int v) const { return tree_.left[static_cast<size_t>(v)] < 0; }
  int Left(int v) const { return tree_.left[static_cast<size_t>(v)]; }
  int Right(int v) const { return tree_.right[static_cast<size_t>(v)]; }
  int Depth(int v) const { return layout_.depth[static_cast<size_t>(v)]; }
  int First(int v) const { return layout_.first[static_cast<size_t>(v)]; }
  int Count(int v) const { return layout_.count[static_cast<size_t>(v)]; }
  CRange Leaves(int v) const { return {First(v), First(v) + Count(v)}; }

  double* Row(int p) { return matrix_.get() + static_cast<size_t>(p) * static_cast<size_t>(n_); }
  const double* Row(int p) const {
    return matrix_.get() + static_cast<size_t>(p) * static_cast<size_t>(n_);
  }
  // The upper-triangle entry of two distinct positions: d, or the cost of the pair once the
  // table of their lowest common ancestor is built.
  double Upper(int p, int q) const { return p < q ? Row(p)[q] : Row(q)[p]; }
  // cost(child; p, q) for two leaves of the same child (0 for a leaf with itself).
  double Cost(int p, int q) const { return p == q ? 0.0 : Upper(p, q); }
  double Dissimilarity(int p, int q) const {
    return distance_.At(layout_.itemAt[static_cast<size_t>(p)],
                        layout_.itemAt[static_cast<size_t>(q)]);
  }

  // The leaves that an order through `child` from leaf p may end at: p itself for a leaf,
  // otherwise the leaves of the grandchild that does not hold p.
  CRange OtherEnds(int child, int p) const {
    if (IsLeaf(child)) return {p, p + 1};
    const int split = First(Right(child));
    return p < split ? CRange{split, First(child) + Count(child)} : CRange{First(child), split};
  }

  void Allocate() {
    const size_t cells = static_cast<size_t>(n_) * static_cast<size_t>(n_);
    if (!CanReserve(CheckedBytes(cells, sizeof(double)))) ThrowAllocationFailure(n_, n_);
    try {
      matrix_ = std::make_unique_for_overwrite<double[]>(cells);
    } catch (const std::bad_alloc&) {
      ThrowAllocationFailure(n_, n_);
    }
  }

  // M[p][q] = d(item at p, item at q) for p < q. The items are taken in ascending order, a block
  // of kFillRows at a time: each block item's stored row is read forwards for its larger
  // partners, and each smaller partner's row holds the whole block in one short stretch, so the
  // packed triangle is read in runs; each row of M is then gathered from the item's full row,
  // which stays in cache.
  void FillDissimilarities() {
    constexpr int kFillRows = 16;
    const int n = n_;
    std::vector<int> byItem(static_cast<size_t>(n));
    std::iota(byItem.begin(), byItem.end(), 0);
    std::sort(byItem.begin(), byItem.end(), [&](int p, int q) {
      return layout_.itemAt[static_cast<size_t>(p)] < layout_.itemAt[static_cast<size_t>(q)];
    });
    std::vector<int> rankAt(static_cast<size_t>(n));
    std::vector<int> sortedItems(static_cast<size_t>(n));
    for (int r = 0; r < n; ++r) {
      const int p = byItem[static_cast<size_t>(r)];
      rankAt[static_cast<size_t>(p)] = r;
      sortedItems[static_cast<size_t>(r)] = layout_.itemAt[static_cast<size_t>(p)];
    }
    const int* items = sortedItems.data();
    auto fill = [&](int block) {
      const int r0 = block * kFillRows;
      const int r1 = std::min(n, r0 + kFillRows);
      std::vector<double> full(static_cast<size_t>(r1 - r0) * static_cast<size_t>(n));
      auto at = [&](int r, int j) -> double& {
        return full[static_cast<size_t>(r - r0) * static_cast<size_t>(n) + static_cast<size_t>(j)];
      };
      for (int r = r0; r < r1; ++r) {
        const double* row = distance_.Row(items[r]);
        at(r, r) = 0.0;
        for (int j = r + 1; j < n; ++j)
          at(r, j) = row[items[j]];
      }
      for (int j = 0; j + 1 < r1; ++j) {
        const double* row = distance_.Row(items[j]);
        for (int r = std::max(r0, j + 1); r < r1; ++r)
          at(r, j) = row[items[r]];
      }
      for (int r = r0; r < r1; ++r) {
        const int p = byItem[static_cast<size_t>(r)];
        double* target = Row(p);
        const double* source = &at(r, 0);
        for (int q = p + 1; q < n; ++q)
          target[q] = source[rankAt[static_cast<size_t>(q)]];
      }
    };
    const int blocks = (n + kFillRows - 1) / kFillRows;
    if (n >= 1024) {
      ParallelFor(0, blocks, 1, fill);
    } else {
      for (int block = 0; block < blocks; ++block)
        fill(block);
    }
  }

  // cost(v; u, w) for every leaf u of X = v's left child and w of Y = v's right child.
  void BuildTable(int v) {
    const ptrdiff_t n = n_;
    double* m = matrix_.get();
    const int x = Left(v);
    const int y = Right(v);
    const int x0 = First(x), xn = Count(x), y0 = First(y), yn = Count(y);
    auto at = [&](int p, int q) { return m + p * n + q; };

    // First product: B(u, m) = min over k of cost(X; u, k) + d(k, m), kept at M[m][u].
    if (IsLeaf(x)) {
      for (int j = 0; j < yn; ++j)
        *at(y0 + j, x0) = *at(x0, y0 + j);
    } else {
      const int xs = First(Right(x));
      const int x1 = xs - x0, x2 = x0 + xn - xs;
      MinPlusProduct(x1, yn, x2, {at(x0, xs), n, 1}, {at(xs, y0), n, 1}, {at(y0, x0), 1, n});
      MinPlusProduct(x2, yn, x1, {at(x0, xs), 1, n}, {at(x0, y0), n, 1}, {at(y0, xs), 1, n});
    }
    // Second product: cost(v; u, w) = min over m of B(u, m) + cost(Y; m, w), into M[u][w].
    if (IsLeaf(y)) {
      for (int i = 0; i < xn; ++i)
        *at(x0 + i, y0) = *at(y0, x0 + i);
    } else {
      const int ys = First(Right(y));
      const int y1 = ys - y0, y2 = y0 + yn - ys;
      MinPlusProduct(xn, y1, y2, {at(ys, x0), 1, n}, {at(y0, ys), 1, n}, {at(x0, y0), n, 1});
      MinPlusProduct(xn, y2, y1, {at(y0, x0), 1, n}, {at(y0, ys), n, 1}, {at(x0, ys), n, 1});
    }
  }

  // For a child `g` of a child of the top: end_[p] = the cheapest order of g starting at p.
  void ComputeEnds(int g) {
    if (IsLeaf(g)) {
      end_[static_cast<size_t>(First(g))] = 0.0;
      return;
    }
    const int g0 = First(g), gs = First(Right(g)), g1 = g0 + Count(g);
    for (int p = g0; p < gs; ++p) {
      const double* row = Row(p);
      double best = kInfinity;
      for (int q = gs; q < g1; ++q) {
        if (row[q] < best) best = row[q];
      }
      end_[static_cast<size_t>(p)] = best;
    }
    std::fill(end_.begin() + gs, end_.begin() + g1, kInfinity);
    for (int p = g0; p < gs; ++p) {
      const double* row = Row(p);
      for (int q = gs; q < g1; ++q) {
        if (row[q] < end_[static_cast<size_t>(q)]) end_[static_cast<size_t>(q)] = row[q];
      }
    }
  }

  // For a child `a` of the top with children X and Y: toSibling_[p] = min over q in the other
  // child of d(p, q) + end_[q], and cheapest_[u] = the cheapest order of a starting at u.
  void ComputeCheapestEnds(int a) {
    const int x = Left(a), y = Right(a);
    ComputeEnds(x);
    ComputeEnds(y);
    const CRange xs = Leaves(x), ys = Leaves(y);
    for (int k = xs.begin; k < xs.end; ++k) {
      const double* row = Row(k);
      double best = kInfinity;
      for (int q = ys.begin; q < ys.end; ++q) {
        const double sum = row[q] + end_[static_cast<size_t>(q)];
        if (sum < best) best = sum;
      }
      toSibling_[static_cast<size_t>(k)] = best;
    }
    std::fill(toSibling_.begin() + ys.begin, toSibling_.begin() + ys.end, kInfinity);
    for (int k = xs.begin; k < xs.end; ++k) {
      const double* row = Row(k);
      const double end = end_[static_cast<size_t>(k)];
      for (int q = ys.begin; q < ys.end; ++q) {
        const double sum = row[q] + end;
        if (sum < toSibling_[static_cast<size_t>(q)]) toSibling_[static_cast<size_t>(q)] = sum;
      }
    }
    for (const int child : {x, y}) {
      const CRange leaves = Leaves(child);
      for (int u = leaves.begin; u < leaves.end; ++u) {
        const CRange ends = OtherEnds(child, u);
        double best = kInfinity;
        for (int k = ends.begin; k < ends.end; ++k) {
          const double sum = Cost(u, k) + toSibling_[static_cast<size_t>(k)];
          if (sum < best) best = sum;
        }
        cheapest_[static_cast<size_t>(u)] = best;
      }
    }
  }

  // The first position of `range` that minimises value(position).
  template <typename Value>
  static int FirstMinimum(CRange range, Value value) {
    int found = range.begin;
    double best = kInfinity;
    for (int p = range.begin; p < range.end; ++p) {
      const double sum = value(p);
      if (sum < best) {
        best = sum;
        found = p;
      }
    }
    return found;
  }

  // The two stretches of the cheapest order of the top's child `a` that starts at u.
  std::pair<CStretch, CStretch> OpenOrder(int a, int u) const {
    const int x = Left(a), y = Right(a);
    const bool inLeft = u < First(y);
    const int own = inLeft ? x : y;
    const int other = inLeft ? y : x;
    const int k = FirstMinimum(
        OtherEnds(own, u), [&](int p) { return Cost(u, p) + toSibling_[static_cast<size_t>(p)]; });
    const int m = FirstMinimum(Leaves(other),
                               [&](int q) { return Upper(k, q) + end_[static_cast<size_t>(q)]; });
    const int w = FirstMinimum(OtherEnds(other, m), [&](int q) { return Cost(m, q); });
    return {{own, u, k}, {other, m, w}};
  }

  // Splits the order through the tabled node v from `from` to `to` into its two children's
  // stretches, in order.
  std::pair<CStretch, CStretch> SplitOrder(int v, int from, int to) const {
    const int x = Left(v), y = Right(v);
    const bool forward = from < First(y);
    const int u = forward ? from : to;  // the end in X
    const int w = forward ? to : from;  // the end in Y
    const CRange ks = OtherEnds(x, u);
    auto viaK = [&](int m) {
      double best = kInfinity;
      for (int k = ks.begin; k < ks.end; ++k) {
        const double sum = Cost(u, k) + Dissimilarity(k, m);
        if (sum < best) best = sum;
      }
      return best;
    };
    const int m = FirstMinimum(OtherEnds(y, w), [&](int q) { return viaK(q) + Cost(q, w); });
    const int k = FirstMinimum(ks, [&](int p) { return Cost(u, p) + Dissimilarity(p, m); });
    if (forward) return {{x, u, k}, {y, m, w}};
    return {{y, w, m}, {x, k, u}};
  }

  std::vector<int> ReadBack() const {
    const int top = tree_.root;
    const int a = Left(top), b = Right(top);
    const CRange as = Leaves(a), bs = Leaves(b);
    int u = as.begin, m = bs.begin;
    double best = kInfinity;
    for (int p = as.begin; p < as.end; ++p) {
      const double* row = Row(p);
      for (int q = bs.begin; q < bs.end; ++q) {
        const double sum =
            (cheapest_[static_cast<size_t>(p)] + row[q]) + cheapest_[static_cast<size_t>(q)];
        if (sum < best) {
          best = sum;
          u = p;
          m = q;
        }
      }
    }

    // The stretches still to write, the next one last.
    std::vector<CStretch> pending;
    auto open = [&](int child, int start, bool reversed) {
      if (IsLeaf(child)) {
        pending.push_back({child, start, start});
        return;
      }
      const auto [head, tail] = OpenOrder(child, start);
      if (reversed) {
        pending.push_back({head.node, head.to, head.from});
        pending.push_back({tail.node, tail.to, tail.from});
      } else {
        pending.push_back(tail);
        pending.push_back(head);
      }
    };
    open(b, m, false);
    open(a, u, true);

    std::vector<int> sequence;
    sequence.reserve(static_cast<size_t>(n_));
    while (!pending.empty()) {
      const CStretch stretch = pending.back();
      pending.pop_back();
      if (IsLeaf(stretch.node)) {
        sequence.push_back(stretch.from);
        continue;
      }
      const auto [head, tail] = SplitOrder(stretch.node, stretch.from, stretch.to);
      pending.push_back(tail);
      pending.push_back(head);
    }
    return sequence;
  }

  const CBinaryTree& tree_;
  const CDistance& distance_;
  const CLayout& layout_;
  const int n_;
  std::unique_ptr<double[]> matrix_;
  std::vector<double> end_;
  std::vector<double> toSibling_;
  std::vector<double> cheapest_;
};

}  // namespace

CLeafOrder OptimalLeafOrder(const CBinaryTree& tree, const CDistance& distance) {
  const CLayout layout = Walk(tree, distance.size);
  const int n = static_cast<int>(layout.itemAt.size());
  CLeafOrder result;
  result.exchange.assign(tree.left.size(), 0);
  if (n == 1) {
    result.items = layout.itemAt;
    return result;
  }

  CLeafOrderSolver solver(tree, distance, layout);
  const std::vector<int> sequence = solver.Solve();

  std::vector<int> rank(static_cast<size_t>(n));
  result.items.resize(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const size_t position = static_cast<size_t>(sequence[static_cast<size_t>(i)]);
    rank[position] = i;
    result.items[static_cast<size_t>(i)] = layout.itemAt[position];
  }
  for (const int v : layout.preorder) {
    const size_t at = static_cast<size_t>(v);
    if (tree.left[at] < 0) continue;
    const int left = layout.first[static_cast<size_t>(tree.left[at])];
    const int right = layout.first[static_cast<size_t>(tree.right[at])];
    result.exchange[at] = rank[static_cast<size_t>(left)] > rank[static_cast<size_t>(right)];
  }
  for (int i = 0; i + 1 < n; ++i) {
    result.length +=
        distance.At(result.items[static_cast<size_t>(i)], result.items[static_cast<size_t>(i + 1)]);
  }
  return result;
}
