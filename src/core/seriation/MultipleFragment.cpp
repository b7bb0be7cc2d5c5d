// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/MultipleFragment.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "base/Failure.h"
#include "base/Parallel.h"
#include "dissimilarity/Distance.h"
#include "seriation/Elements.h"
#include "seriation/SquareByPosition.h"
#include "seriation/WorkArray.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Exact equality, where a NaN matches a NaN: a fragment distance always is one of its four end
// dissimilarities bit for bit, so this never fails on the values of the heuristic itself.
bool SameValue(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

// The path fragments over the positions of the sequence, with the square matrix d of their
// dissimilarities by position.
class CFragments {
 public:
  CFragments(std::vector<double> d, int m)
      : d_(std::move(d)),
        m_(m),
        head_(WorkArray<int>(static_cast<size_t>(m))),
        tail_(WorkArray<int>(static_cast<size_t>(m))),
        links_(WorkArray<int>(2 * static_cast<size_t>(m), -1)) {
    for (int i = 0; i < m; ++i)
      head_[static_cast<size_t>(i)] = tail_[static_cast<size_t>(i)] = i;
  }

  const double* Row(int x) const { return d_.data() + static_cast<size_t>(x) * m_; }
  double At(int x, int y) const { return Row(x)[y]; }
  int Head(int f) const { return head_[static_cast<size_t>(f)]; }
  int Tail(int f) const { return tail_[static_cast<size_t>(f)]; }
  void Reverse(int f) { std::swap(head_[static_cast<size_t>(f)], tail_[static_cast<size_t>(f)]); }

  // The fragment distance of fragments f and g: the smallest of their four end-to-end
  // dissimilarities (NaN only when all four are). It depends only on the two sets of ends, so it
  // is the same value whenever it is asked, and need not be stored.
  double Distance(int f, int g) const {
    return Smallest(Row(Head(f)), Row(Tail(f)), Head(g), Tail(g));
  }
  static double Smallest(const double* fromHead, const double* fromTail, int hg, int tg) {
    const double values[4] = {fromHead[hg], fromHead[tg], fromTail[hg], fromTail[tg]};
    double best = values[0];
    for (int k = 1; k < 4; ++k) {
      if (values[k] < best || std::isnan(best)) best = values[k];
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
    std::vector<int> path = WorkArray<int>(m_);
    int previous = -1;
    int current = Head(f);
    for (size_t k = 0; k < m_ && current >= 0; ++k) {
      path[k] = current;
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

  std::vector<double> d_;
  size_t m_;
  std::vector<int> head_;
  std::vector<int> tail_;
  std::vector<int> links_;  // the two path neighbours of each position, -1 for none
};

}  // namespace

void SeriateByMF(CElements& elements, int* sequence, int m) {
  if (m < 2) return;
  CFragments fragments(SquareByPosition(*elements.distance, sequence, m), m);

  std::vector<int> nearest = WorkArray<int>(static_cast<size_t>(m), -1);
  std::vector<double> nearestDist = WorkArray<double>(static_cast<size_t>(m), kInfinity);
  std::vector<int> actives = WorkArray<int>(static_cast<size_t>(m));  // active, ascending
  for (int i = 0; i < m; ++i)
    actives[static_cast<size_t>(i)] = i;
  // Ends of the active fragments, in the order of `actives`, for the scans below.
  std::vector<int> heads = actives;
  std::vector<int> tails = actives;

  // The nearest active fragment of larger index among actives[from …]: the first candidate, then
  // strictly smaller values (the smallest index wins ties); none (-1, infinity) when no active
  // j > i is left.
  auto scanNearest = [&](int i, size_t from) {
    int best = -1;
    double bestDist = kInfinity;
    const double* fromHead = fragments.Row(fragments.Head(i));
    const double* fromTail = fragments.Row(fragments.Tail(i));
    for (size_t k = from; k < actives.size(); ++k) {
      const double v = CFragments::Smallest(fromHead, fromTail, heads[k], tails[k]);
      if (best < 0 || v < bestDist) {
        best = actives[k];
        bestDist = v;
      }
    }
    nearest[static_cast<size_t>(i)] = best;
    nearestDist[static_cast<size_t>(i)] = bestDist;
  };
  // At the start every fragment is one position: its distance is a plain row of the matrix.
  ParallelFor(0, m - 1, 64, [&](int i) {
    const double* row = fragments.Row(i);
    int best = i + 1;
    double bestDist = row[i + 1];
    for (int j = i + 2; j < m; ++j) {
      if (row[j] < bestDist) {
        best = j;
        bestDist = row[j];
      }
    }
    nearest[static_cast<size_t>(i)] = best;
    nearestDist[static_cast<size_t>(i)] = bestDist;
  });

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
    bool matched = SameValue(fragments.At(fragments.Tail(p), fragments.Head(q)), delta);
    if (!matched) {
      fragments.Reverse(p);
      matched = SameValue(fragments.At(fragments.Tail(p), fragments.Head(q)), delta);
    }
    if (!matched) {
      fragments.Reverse(q);
      matched = SameValue(fragments.At(fragments.Tail(p), fragments.Head(q)), delta);
    }
    if (!matched) {
      fragments.Reverse(p);
      matched = SameValue(fragments.At(fragments.Tail(p), fragments.Head(q)), delta);
    }
    if (!matched) throw CProgramExit(1);

    fragments.Append(p, q);
    const size_t removed =
        static_cast<size_t>(std::lower_bound(actives.begin(), actives.end(), q) - actives.begin());
    actives.erase(actives.begin() + static_cast<std::ptrdiff_t>(removed));
    heads.erase(heads.begin() + static_cast<std::ptrdiff_t>(removed));
    tails.erase(tails.begin() + static_cast<std::ptrdiff_t>(removed));
    const size_t slotP =
        static_cast<size_t>(std::lower_bound(actives.begin(), actives.end(), p) - actives.begin());
    heads[slotP] = fragments.Head(p);
    tails[slotP] = fragments.Tail(p);

    // The joined fragment's nearest partner among the larger indices.
    scanNearest(p, slotP + 1);

    // Fragments whose nearest partner was joined look again.
    for (size_t k = 0; k < slotP; ++k) {
      const int partner = nearest[static_cast<size_t>(actives[k])];
      if (partner == p || partner == q) scanNearest(actives[k], k + 1);
    }
    for (size_t k = slotP + 1; k < actives.size(); ++k) {
      const int partner = nearest[static_cast<size_t>(actives[k])];
      if (partner == q) scanNearest(actives[k], k + 1);
    }
  }

  ApplyLocalOrder(sequence, fragments.Walk(0));
}
