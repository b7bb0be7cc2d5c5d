#include "seriation/MultipleFragment.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "base/Failure.h"
#include "base/Parallel.h"
#include "data/Distance.h"
#include "seriation/Elements.h"
#include "seriation/Extract.h"
#include "seriation/WorkArray.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Exact equality, where a NaN matches a NaN: a fragment distance always is one of its four end
// dissimilarities bit for bit, so this never fails on the values of the heuristic itself.
bool SameValue(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

class CFragments {
 public:
  CFragments(const CDistance& distance, int m)
      : d_(distance),
        m_(m),
        head_(WorkArray<int>(static_cast<size_t>(m))),
        tail_(WorkArray<int>(static_cast<size_t>(m))),
        links_(WorkArray<int>(2 * static_cast<size_t>(m), -1)) {
    for (int i = 0; i < m; ++i)
      head_[static_cast<size_t>(i)] = tail_[static_cast<size_t>(i)] = i;
  }

  int Head(int f) const { return head_[static_cast<size_t>(f)]; }
  int Tail(int f) const { return tail_[static_cast<size_t>(f)]; }
  void Reverse(int f) { std::swap(head_[static_cast<size_t>(f)], tail_[static_cast<size_t>(f)]); }

  // The smallest of the four end-to-end dissimilarities of fragments f and g.
  double Distance(int f, int g) const {
    const int hf = Head(f), tf = Tail(f), hg = Head(g), tg = Tail(g);
    double best = d_.At(hf, hg);
    const double others[3] = {d_.At(hf, tg), d_.At(tf, hg), d_.At(tf, tg)};
    for (const double v : others) {
      if (v < best) best = v;
    }
    return best;
  }

  // Joins g after f: the tail of f meets the head of g, and the tail of g becomes f's tail.
  void Append(int f, int g) {
    Link(Tail(f), Head(g));
    tail_[static_cast<size_t>(f)] = Tail(g);
  }

  // The positions of fragment f from head to tail.
  std::vector<int> Walk(int f) const {
    std::vector<int> path = WorkArray<int>(static_cast<size_t>(m_));
    int previous = -1;
    int current = Head(f);
    for (int k = 0; k < m_ && current >= 0; ++k) {
      path[static_cast<size_t>(k)] = current;
      const int first = links_[2 * static_cast<size_t>(current)];
      const int next = first != previous ? first : links_[2 * static_cast<size_t>(current) + 1];
      previous = current;
      current = next;
    }
    return path;
  }

 private:
  void Link(int a, int b) {
    size_t slotA = 2 * static_cast<size_t>(a);
    if (links_[slotA] >= 0) ++slotA;
    size_t slotB = 2 * static_cast<size_t>(b);
    if (links_[slotB] >= 0) ++slotB;
    links_[slotA] = b;
    links_[slotB] = a;
  }

  const CDistance& d_;
  int m_;
  std::vector<int> head_;
  std::vector<int> tail_;
  std::vector<int> links_;  // the two path neighbours of each position, -1 for none
};

}  // namespace

void SeriateByMF(CElements& elements, int* sequence, int m) {
  if (m < 2) return;
  const CDistance d = Extract(*elements.distance, sequence, m);
  // Fragment distances, packed like d; only entries of two active fragments are read.
  std::vector<double> t = WorkArray<double>(d.values.size());
  std::copy(d.values.begin(), d.values.end(), t.begin());
  auto at = [&](int i, int j) -> double& {
    return i < j ? t[CDistance::Index(i, j, m)] : t[CDistance::Index(j, i, m)];
  };

  std::vector<int> nearest = WorkArray<int>(static_cast<size_t>(m), -1);
  std::vector<double> nearestDist = WorkArray<double>(static_cast<size_t>(m), kInfinity);
  std::vector<int> actives = WorkArray<int>(static_cast<size_t>(m));  // active, ascending
  for (int i = 0; i < m; ++i)
    actives[static_cast<size_t>(i)] = i;

  // The nearest active fragment of larger index: the first candidate, then strictly smaller
  // values (the smallest index wins ties); none (-1, infinity) when no active j > i is left.
  auto scanNearest = [&](int i, const int* from, const int* end) {
    int best = -1;
    double bestDist = kInfinity;
    const size_t rowOffset = CDistance::RowOffset(i, m);
    for (const int* p = from; p != end; ++p) {
      const double v = t[rowOffset + static_cast<size_t>(*p)];
      if (best < 0 || v < bestDist) {
        best = *p;
        bestDist = v;
      }
    }
    nearest[static_cast<size_t>(i)] = best;
    nearestDist[static_cast<size_t>(i)] = bestDist;
  };
  ParallelFor(0, m - 1, 64,
              [&](int i) { scanNearest(i, actives.data() + i + 1, actives.data() + m); });

  CFragments fragments(d, m);
  for (int merge = 0; merge < m - 1; ++merge) {
    // The pair to join: the active fragment with the nearest partner, smallest index on ties.
    int p = -1;
    double delta = kInfinity;
    for (const int i : actives) {
      if (nearest[static_cast<size_t>(i)] < 0) continue;
      const double v = nearestDist[static_cast<size_t>(i)];
      if (p < 0 || v < delta) {
        p = i;
        delta = v;
      }
    }
    if (p < 0) break;  // cannot happen while two fragments are active
    const int q = nearest[static_cast<size_t>(p)];

    // Orient p and q so that the tail of p and the head of q realise their distance.
    bool matched = SameValue(d.At(fragments.Tail(p), fragments.Head(q)), delta);
    if (!matched) {
      fragments.Reverse(p);
      matched = SameValue(d.At(fragments.Tail(p), fragments.Head(q)), delta);
    }
    if (!matched) {
      fragments.Reverse(q);
      matched = SameValue(d.At(fragments.Tail(p), fragments.Head(q)), delta);
    }
    if (!matched) {
      fragments.Reverse(p);
      matched = SameValue(d.At(fragments.Tail(p), fragments.Head(q)), delta);
    }
    if (!matched) throw CProgramExit(1);

    fragments.Append(p, q);
    actives.erase(std::find(actives.begin(), actives.end(), q));

    // New distances of the joined fragment; its nearest partner among the larger indices.
    int best = -1;
    double bestDist = kInfinity;
    for (const int u : actives) {
      if (u == p) continue;
      const double v = fragments.Distance(p, u);
      at(p, u) = v;
      if (u > p && (best < 0 || v < bestDist)) {
        best = u;
        bestDist = v;
      }
    }
    nearest[static_cast<size_t>(p)] = best;
    nearestDist[static_cast<size_t>(p)] = bestDist;

    // Fragments whose nearest partner was joined look again.
    for (size_t k = 0; k < actives.size(); ++k) {
      const int i = actives[k];
      const int partner = nearest[static_cast<size_t>(i)];
      if (partner == p || partner == q) {
        scanNearest(i, actives.data() + k + 1, actives.data() + actives.size());
      }
    }
  }

  ApplyLocalOrder(sequence, fragments.Walk(0));
}
