// SPDX-License-Identifier: GPL-3.0-or-later
// The optimal leaf order of a binary tree: among the orders that exchanges of children reach, one
// of least path length Σ d(consecutive leaves).
//
// Inputs: the tree and the dissimilarities of its items. A node v with children X and Y may get
// the table cost(v; u, w), the least length of an order of v's leaves from leaf u of X to leaf w
// of Y (an order and its reverse have the same length). Such an order runs through X from u to a
// leaf k of the other child of X (k = u when X is a leaf), steps to a leaf m of the other child
// of Y than w's (m = w when Y is a leaf) and runs through Y from m to w:
//     cost(v; u, w) = min over k, m of (cost(X; u, k) + d(k, m)) + cost(Y; m, w),
// taken as two (min, +) matrix products, first over k for every (u, m), then over m for every
// (u, w): cubic work, and the tables of X and Y must exist.
// The top node needs less: for every leaf, the cheapest order of each child that starts there;
// the best order joins such an order of one child, reversed, the step d(u, m) and such an order
// of the other child. That is a question put to a child: given a cost per end leaf, the least
// length plus end cost of the orders from each of its leaves. A tabled node answers with one scan
// of its table; a node without a table asks each of its children twice,
//     answer(u in X) = answer of X to the costs t(k) = min over m in Y of d(k, m) + answer of Y(m),
// and the mirror for u in Y: quadratic work per question, but twice the questions one level down.
// A plan, by estimated work, tables some subtrees and asks down to them.
//
// Ties: every running minimum starts at +infinity (so no path is too long to be found) and is
// replaced only by a strictly smaller sum; at the top the first u, then the first m, in the
// current leaf order win; below it, the first leaves in leaf order that realise the chosen ends.
//
// Layout: the leaves are numbered by their position in the current order, so every subtree is a
// range of positions. The dissimilarities by position, P(p, q) = d(item at p, item at q), form
// one packed triangle (given by the caller, or gathered from d). Each highest tabled node, a
// head, gets a square block over its own leaves: it starts with P in its upper triangle; the
// pairs (u, w) whose lowest common ancestor is a tabled v receive cost(v; u, w) at [u][w]
// (u < w), and hold the intermediate sums of v's first product at [w][u] meanwhile. Pairs of
// leaves under no common head keep reading P. The order is then read back top-down: the
// questions along the chosen order are put again to find the leaves where it crosses between
// children, and tabled stretches are split by recomputing the k and m that realise their ends.
//
// Cost: never more than tabling every node below the top, Σ 2·(|X1|·|X2|·|Y| + |X|·|Y1|·|Y2|)
// sums, O(n³) at worst (about n³/24 for a balanced tree), O(n²) for a chain; with the plan a
// balanced tree keeps its tables near √n leaves and its questions near O(n² log n). Memory: the
// triangle P (n(n+1)/2 doubles, none when the caller gives it) and the squares of the heads'
// leaf counts, a small part of it in practice (a Ward tree of 20,000 items: 66 heads, 58 MB).
#include "tree/OptimalLeafOrder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <new>
#include <numeric>
#include <stdexcept>
#include <utility>

#include "base/Failure.h"
#include "base/Memory.h"
#include "base/Parallel.h"
#include "dissimilarity/Distance.h"
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

// Values over the leaves of one subtree, indexed by leaf position.
struct CLeafValues {
  CLeafValues(CRange range, double value)
      : first(range.begin), values(static_cast<size_t>(range.end - range.begin), value) {}
  double operator[](int p) const { return values[static_cast<size_t>(p - first)]; }
  double& operator[](int p) { return values[static_cast<size_t>(p - first)]; }
  const double* At(int p) const { return values.data() + (p - first); }
  double* At(int p) { return values.data() + (p - first); }

  int first;
  std::vector<double> values;
};

// P(p, q) = d(itemAt[p], itemAt[q]) for p < q, into `positional` (allocated for n items). The
// items are taken in ascending order, a block of kFillRows at a time: each block item's stored
// row is read forwards for its larger partners, and each smaller partner's row holds the whole
// block in one short stretch, so the packed triangle is read in runs; each row of P is then
// gathered from the item's full row, which stays in cache.
void FillPositional(const CDistance& distance, const std::vector<int>& itemAt,
                    CDistance& positional) {
  constexpr int kFillRows = 16;
  const int n = static_cast<int>(itemAt.size());
  positional.AllocateForOverwrite(n);
  std::vector<int> byItem(static_cast<size_t>(n));
  std::iota(byItem.begin(), byItem.end(), 0);
  std::sort(byItem.begin(), byItem.end(), [&](int p, int q) {
    return itemAt[static_cast<size_t>(p)] < itemAt[static_cast<size_t>(q)];
  });
  std::vector<int> rankAt(static_cast<size_t>(n));
  std::vector<int> sortedItems(static_cast<size_t>(n));
  for (int r = 0; r < n; ++r) {
    const int p = byItem[static_cast<size_t>(r)];
    rankAt[static_cast<size_t>(p)] = r;
    sortedItems[static_cast<size_t>(r)] = itemAt[static_cast<size_t>(p)];
  }
  const int* items = sortedItems.data();
  auto fill = [&](int block) {
    const int r0 = block * kFillRows;
    const int r1 = std::min(n, r0 + kFillRows);
    const auto full = std::make_unique_for_overwrite<double[]>(static_cast<size_t>(r1 - r0) * n);
    auto at = [&](int r, int j) -> double& {
      return full[static_cast<size_t>(r - r0) * static_cast<size_t>(n) + static_cast<size_t>(j)];
    };
    for (int r = r0; r < r1; ++r) {
      const double* row = distance.Row(items[r]);
      at(r, r) = 0.0;
      for (int j = r + 1; j < n; ++j)
        at(r, j) = row[items[j]];
    }
    for (int j = 0; j + 1 < r1; ++j) {
      const double* row = distance.Row(items[j]);
      for (int r = std::max(r0, j + 1); r < r1; ++r)
        at(r, j) = row[items[r]];
    }
    for (int r = r0; r < r1; ++r) {
      const int p = byItem[static_cast<size_t>(r)];
      double* target = positional.Row(p);
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

// The square block of one head over its leaves first … first + count − 1.
struct CHeadBlock {
  int first = 0;
  int count = 0;
  std::unique_ptr<double[]> cells;

  double* At(int p, int q) const {
    return cells.get() + static_cast<ptrdiff_t>(p - first) * count + (q - first);
  }
};

class CLeafOrderSolver {
 public:
  CLeafOrderSolver(const CBinaryTree& tree, const CDistance& positional, const CLayout& layout)
      : tree_(tree),
        positional_(positional),
        layout_(layout),
        n_(static_cast<int>(layout.itemAt.size())) {}

  std::vector<int> Solve(int tableDepth) {
    Plan(tableDepth);
    AllocateBlocks();
    BuildTables();
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
  bool Tabled(int v) const { return tabled_[static_cast<size_t>(v)] != 0; }

  // The block of the head that holds position p, or null.
  const CHeadBlock* BlockOf(int p) const {
    const int head = headAt_[static_cast<size_t>(p)];
    return head < 0 ? nullptr : &blocks_[static_cast<size_t>(head)];
  }
  // The upper-triangle entry of two distinct positions: d, or the cost of the pair once the
  // table of their lowest common ancestor is built (then both lie under one head).
  double Upper(int p, int q) const {
    if (p > q) std::swap(p, q);
    const int head = headAt_[static_cast<size_t>(p)];
    if (head >= 0 && head == headAt_[static_cast<size_t>(q)]) {
      return *blocks_[static_cast<size_t>(head)].At(p, q);
    }
    return positional_.Row(p)[q];
  }
  // cost(child; p, q) for two leaves of the same tabled child (0 for a leaf with itself).
  double Cost(int p, int q) const { return p == q ? 0.0 : Upper(p, q); }
  // d of two positions p < q.
  double Dissimilarity(int p, int q) const { return positional_.Row(p)[q]; }

  // The leaves that an order through `child` from leaf p may end at: p itself for a leaf,
  // otherwise the leaves of the grandchild that does not hold p.
  CRange OtherEnds(int child, int p) const {
    if (IsLeaf(child)) return {p, p + 1};
    const int split = First(Right(child));
    return p < split ? CRange{split, First(child) + Count(child)} : CRange{First(child), split};
  }

  // Chooses the nodes that get a table. A node without a table answers each question put to it
  // (the vector of the cheapest orders from every leaf, given a cost per end leaf) by putting two
  // questions to each child: every level without tables doubles the questions below it, and a
  // table answers any number of them. Bottom-up, each node compares the work of tabling its whole
  // subtree with that of passing its questions on, 2^(depth − 1) of them at depth ≥ 1 (the top's
  // children are asked once); a node below a tabled one is tabled. A positive `tableDepth`
  // tables exactly the nodes that many levels or more below the top instead.
  void Plan(int tableDepth) {
    // Weight of one step of a question (memory-bound) against one sum of a product (vectorised).
    constexpr double kQuestionStep = 4.0;
    constexpr int kDeepest = 40;
    const size_t nodes = tree_.left.size();
    std::vector<double> tableWork(nodes, 0.0);
    std::vector<double> planWork(nodes, 0.0);
    std::vector<double> passWork(nodes, 0.0);
    for (auto v = layout_.preorder.rbegin(); v != layout_.preorder.rend(); ++v) {
      if (IsLeaf(*v)) continue;
      const size_t at = static_cast<size_t>(*v);
      const int x = Left(*v), y = Right(*v);
      const double xn = Count(x), yn = Count(y);
      double own = xn * yn;
      if (!IsLeaf(x)) own += 2.0 * Count(Left(x)) * Count(Right(x)) * yn;
      if (!IsLeaf(y)) own += 2.0 * Count(Left(y)) * Count(Right(y)) * xn;
      tableWork[at] = own + tableWork[static_cast<size_t>(x)] + tableWork[static_cast<size_t>(y)];
      const int level = Depth(*v) - 1;
      if (level < 0) continue;
      passWork[at] = level >= kDeepest
                         ? std::numeric_limits<double>::infinity()
                         : planWork[static_cast<size_t>(x)] + planWork[static_cast<size_t>(y)];
      planWork[at] = std::ldexp(1.0, std::min(level, kDeepest)) * kQuestionStep * 2.0 * xn * yn +
                     std::min(tableWork[at], passWork[at]);
    }
    tabled_.assign(nodes, 0);
    heads_.clear();
    for (const int v : layout_.preorder) {
      if (v == tree_.root || IsLeaf(v)) continue;
      const size_t at = static_cast<size_t>(v);
      if (!tabled_[at]) {
        if (tableDepth > 0 ? Depth(v) < tableDepth : tableWork[at] > passWork[at]) continue;
        tabled_[at] = 1;
        heads_.push_back(v);
      }
      tabled_[static_cast<size_t>(Left(v))] = 1;
      tabled_[static_cast<size_t>(Right(v))] = 1;
    }
  }

  // A block per head, its upper triangle copied from P.
  void AllocateBlocks() {
    headAt_.assign(static_cast<size_t>(n_), -1);
    double cells = 0.0;
    for (const int h : heads_)
      cells += static_cast<double>(Count(h)) * Count(h);
    if (!CanReserve(static_cast<size_t>(std::min(cells * sizeof(double), 1e19)))) {
      ThrowAllocationFailure(n_, n_);
    }
    blocks_.resize(heads_.size());
    try {
      for (size_t b = 0; b < heads_.size(); ++b) {
        CHeadBlock& block = blocks_[b];
        block.first = First(heads_[b]);
        block.count = Count(heads_[b]);
        block.cells = std::make_unique_for_overwrite<double[]>(static_cast<size_t>(block.count) *
                                                               static_cast<size_t>(block.count));
        for (int p = block.first; p < block.first + block.count; ++p) {
          headAt_[static_cast<size_t>(p)] = static_cast<int>(b);
          const double* row = positional_.Row(p);
          std::copy(row + p + 1, row + block.first + block.count, block.At(p, p + 1));
        }
      }
    } catch (const std::bad_alloc&) {
      ThrowAllocationFailure(n_, n_);
    }
  }

  // The tables, children before parents. The subtrees under the highest tabled nodes are
  // independent and shared among threads.
  void BuildTables() {
    auto build = [&](int index) {
      std::vector<int> internal;
      std::vector<int> stack{heads_[static_cast<size_t>(index)]};
      while (!stack.empty()) {
        const int v = stack.back();
        stack.pop_back();
        if (IsLeaf(v)) continue;
        internal.push_back(v);
        stack.push_back(Left(v));
        stack.push_back(Right(v));
      }
      for (auto v = internal.rbegin(); v != internal.rend(); ++v)
        BuildTable(*v, blocks_[static_cast<size_t>(index)]);
    };
    const int heads = static_cast<int>(heads_.size());
    if (n_ >= 256 && heads > 1) {
      ParallelFor(0, heads, 1, build);
    } else {
      for (int index = 0; index < heads; ++index)
        build(index);
    }
  }

  // cost(v; u, w) for every leaf u of X = v's left child and w of Y = v's right child.
  // The block's stride n stands where the whole matrix's stood: the products see the same
  // entries in the same arrangement.
  void BuildTable(int v, const CHeadBlock& block) {
    const ptrdiff_t n = block.count;
    const int x = Left(v);
    const int y = Right(v);
    const int x0 = First(x), xn = Count(x), y0 = First(y), yn = Count(y);
    auto at = [&](int p, int q) { return block.At(p, q); };

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

  // t[p] = min over q in `to` of M(p, q) + g[q], for every p in `from`: `from` and `to` are the
  // two children of one node, whose pairs hold d, or their costs once the node has a table.
  void Across(CRange from, CRange to, const CLeafValues& g, CLeafValues& t) const {
    const int rows = from.end - from.begin, depth = to.end - to.begin;
    const CHeadBlock* block = BlockOf(from.begin);
    if (block != nullptr && block == BlockOf(to.begin)) {
      const ptrdiff_t n = block->count;
      const CStridedView a = from.begin < to.begin
                                 ? CStridedView{block->At(from.begin, to.begin), n, 1}
                                 : CStridedView{block->At(to.begin, from.begin), 1, n};
      MinPlusVector(rows, depth, a, g.At(to.begin), t.At(from.begin));
      return;
    }
    MinPlusVectorPacked(positional_.values.data(), n_, from.begin, rows, to.begin, depth,
                        g.At(to.begin), t.At(from.begin));
  }

  // The question put to a node: answer[u] = the least (length + cost[e]) over the orders of v's
  // leaves that start at u, e being the leaf where the order ends.
  CLeafValues Ask(int v, const CLeafValues& cost) const {
    CLeafValues answer(Leaves(v), kInfinity);
    if (IsLeaf(v)) {
      answer[First(v)] = cost[First(v)];
      return answer;
    }
    const int x = Left(v), y = Right(v);
    if (Tabled(v)) {
      Across(Leaves(x), Leaves(y), cost, answer);
      Across(Leaves(y), Leaves(x), cost, answer);
      return answer;
    }
    // From u in one child through it to k, across to m in the other, and through that one from m:
    // the other child answers the question first, and its answers become the costs of the first.
    for (const auto& [own, other] : {std::pair{x, y}, std::pair{y, x}}) {
      const CLeafValues fromOther = Ask(other, cost);
      CLeafValues toOther(Leaves(own), kInfinity);
      Across(Leaves(own), Leaves(other), fromOther, toOther);
      const CLeafValues part = Ask(own, toOther);
      std::copy(part.values.begin(), part.values.end(), answer.At(First(own)));
    }
    return answer;
  }

  // Appends the stretches of the order that realises answer[u] of Ask(v, cost), in order, and
  // returns the leaf where it ends.
  int Trace(int v, const CLeafValues& cost, int u, std::vector<CStretch>& stretches) const {
    if (IsLeaf(v)) {
      stretches.push_back({v, u, u});
      return u;
    }
    const bool inLeft = u < First(Right(v));
    const int own = inLeft ? Left(v) : Right(v);
    const int other = inLeft ? Right(v) : Left(v);
    if (Tabled(v)) {
      const int end = FirstMinimum(Leaves(other), [&](int q) { return Upper(u, q) + cost[q]; });
      stretches.push_back({v, u, end});
      return end;
    }
    const CLeafValues fromOther = Ask(other, cost);
    CLeafValues toOther(Leaves(own), kInfinity);
    Across(Leaves(own), Leaves(other), fromOther, toOther);
    const int k = Trace(own, toOther, u, stretches);
    const int m = FirstMinimum(Leaves(other), [&](int q) { return Upper(k, q) + fromOther[q]; });
    return Trace(other, cost, m, stretches);
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
    // The cheapest orders of each child from each of its leaves, joined across the top.
    const CLeafValues zeroA(as, 0.0), zeroB(bs, 0.0);
    const CLeafValues cheapA = Ask(a, zeroA);
    const CLeafValues cheapB = Ask(b, zeroB);
    int u = as.begin, m = bs.begin;
    double best = kInfinity;
    for (int p = as.begin; p < as.end; ++p) {
      const double* row = positional_.Row(p);
      for (int q = bs.begin; q < bs.end; ++q) {
        const double sum = (cheapA[p] + row[q]) + cheapB[q];
        if (sum < best) {
          best = sum;
          u = p;
          m = q;
        }
      }
    }

    // a's order ends at u, so it is traced from u and reversed.
    std::vector<CStretch> stretches;
    Trace(a, zeroA, u, stretches);
    std::reverse(stretches.begin(), stretches.end());
    for (CStretch& stretch : stretches)
      std::swap(stretch.from, stretch.to);
    Trace(b, zeroB, m, stretches);

    std::vector<int> sequence;
    sequence.reserve(static_cast<size_t>(n_));
    std::vector<CStretch> pending;
    for (const CStretch& stretch : stretches) {
      pending.push_back(stretch);
      while (!pending.empty()) {
        const CStretch next = pending.back();
        pending.pop_back();
        if (IsLeaf(next.node)) {
          sequence.push_back(next.from);
          continue;
        }
        const auto [head, tail] = SplitOrder(next.node, next.from, next.to);
        pending.push_back(tail);
        pending.push_back(head);
      }
    }
    return sequence;
  }

  const CBinaryTree& tree_;
  const CDistance& positional_;
  const CLayout& layout_;
  const int n_;
  std::vector<char> tabled_;        // per node: its table is built (leaves below a tabled node too)
  std::vector<int> heads_;          // the highest tabled nodes
  std::vector<CHeadBlock> blocks_;  // per head
  std::vector<int> headAt_;         // per position: its head's block, or −1
};

}  // namespace

namespace {

// The optimal order over P, read back as items, exchange marks and length.
CLeafOrder Solve(const CBinaryTree& tree, const CLayout& layout, const CDistance& positional,
                 int tableDepth) {
  const int n = static_cast<int>(layout.itemAt.size());
  CLeafOrder result;
  result.exchange.assign(tree.left.size(), 0);
  if (n == 1) {
    result.items = layout.itemAt;
    return result;
  }

  CLeafOrderSolver solver(tree, positional, layout);
  const std::vector<int> sequence = solver.Solve(tableDepth);

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
        positional.At(sequence[static_cast<size_t>(i)], sequence[static_cast<size_t>(i + 1)]);
  }
  return result;
}

}  // namespace

CLeafOrder OptimalLeafOrder(const CBinaryTree& tree, const CDistance& distance, int tableDepth) {
  const CLayout layout = Walk(tree, distance.size);
  CDistance positional;
  if (layout.itemAt.size() > 1) FillPositional(distance, layout.itemAt, positional);
  return Solve(tree, layout, positional, tableDepth);
}

std::vector<int> LeafSequence(const CBinaryTree& tree) {
  return Walk(tree, std::numeric_limits<int>::max()).itemAt;
}

CLeafOrder OptimalLeafOrderByPosition(const CBinaryTree& tree, const CDistance& positional,
                                      int tableDepth) {
  const CLayout layout = Walk(tree, std::numeric_limits<int>::max());
  if (layout.itemAt.size() > 1 && static_cast<size_t>(positional.size) != layout.itemAt.size()) {
    throw std::invalid_argument("positional dissimilarities of another size than the tree");
  }
  return Solve(tree, layout, positional, tableDepth);
}
