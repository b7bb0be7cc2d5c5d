// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/CentroidSeriation.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "dissimilarity/Distance.h"
#include "seriation/Elements.h"
#include "seriation/SeriationRun.h"
#include "seriation/WorkArray.h"

namespace {

// The sequence as a doubly linked list of its positions; node x holds the item sequence[x].
class CCentroidList {
 public:
  CCentroidList(const int* sequence, int m)
      : items_(sequence, sequence + m),
        next_(WorkArray<int>(static_cast<size_t>(m))),
        previous_(WorkArray<int>(static_cast<size_t>(m))),
        first_(0),
        last_(m - 1) {
    for (int x = 0; x < m; ++x) {
      next_[static_cast<size_t>(x)] = x + 1 < m ? x + 1 : -1;
      previous_[static_cast<size_t>(x)] = x - 1;
    }
  }

  int Item(int x) const { return items_[static_cast<size_t>(x)]; }
  int Next(int x) const { return next_[static_cast<size_t>(x)]; }
  int Previous(int x) const { return previous_[static_cast<size_t>(x)]; }
  int First() const { return first_; }
  int Last() const { return last_; }

  void MoveToFront(int x) {
    if (x == first_) return;
    Unlink(x);
    InsertBefore(x, first_);
  }
  void MoveToBack(int x) {
    if (x == last_) return;
    Unlink(x);
    InsertAfter(x, last_);
  }
  void MoveAfter(int x, int anchor) {
    if (x == anchor) return;
    Unlink(x);
    InsertAfter(x, anchor);
  }
  void MoveBefore(int x, int anchor) {
    if (x == anchor) return;
    Unlink(x);
    InsertBefore(x, anchor);
  }

  // Index of node x counted from the front.
  int IndexOf(int x) const {
    int index = 0;
    for (int node = first_; node != x && node >= 0; node = Next(node))
      ++index;
    return index;
  }

  void WriteTo(int* sequence) const {
    int k = 0;
    for (int node = first_; node >= 0; node = Next(node))
      sequence[k++] = Item(node);
  }

 private:
  void Unlink(int x) {
    const int before = Previous(x);
    const int after = Next(x);
    if (before >= 0)
      next_[static_cast<size_t>(before)] = after;
    else
      first_ = after;
    if (after >= 0)
      previous_[static_cast<size_t>(after)] = before;
    else
      last_ = before;
  }
  void InsertAfter(int x, int anchor) {
    const int after = Next(anchor);
    previous_[static_cast<size_t>(x)] = anchor;
    next_[static_cast<size_t>(x)] = after;
    next_[static_cast<size_t>(anchor)] = x;
    if (after >= 0)
      previous_[static_cast<size_t>(after)] = x;
    else
      last_ = x;
  }
  void InsertBefore(int x, int anchor) {
    const int before = Previous(anchor);
    next_[static_cast<size_t>(x)] = anchor;
    previous_[static_cast<size_t>(x)] = before;
    previous_[static_cast<size_t>(anchor)] = x;
    if (before >= 0)
      next_[static_cast<size_t>(before)] = x;
    else
      first_ = x;
  }

  std::vector<int> items_;
  std::vector<int> next_;
  std::vector<int> previous_;
  int first_;
  int last_;
};

// Where the sequence starts in the side's order, or -1 when it is a list of its own (the items of
// a tree node).
int OffsetInOrder(const CElements& elements, const int* sequence, int m) {
  const int* begin = elements.order.data();
  const int* end = begin + elements.order.size();
  std::less<const int*> before;
  if (before(sequence, begin) || before(end, sequence + m)) return -1;
  return static_cast<int>(sequence - begin);
}

}  // namespace

void SeriateByCentroid(CElements& elements, int* sequence, int m, CSeriationObserver* observer) {
  if (m < 2) return;
  const CDistance& d = *elements.distance;
  CCentroidList list(sequence, m);
  auto dist = [&](int x, int y) { return d.At(list.Item(x), list.Item(y)); };

  // Anchors: the first pair in list order with the largest dissimilarity above 0.
  int front = 0;
  int back = 1;
  double farthest = 0.0;
  for (int j = 0; j < m; ++j) {
    for (int k = j + 1; k < m; ++k) {
      const double v = dist(j, k);
      if (v > farthest) {
        farthest = v;
        front = j;
        back = k;
      }
    }
  }
  list.MoveToFront(front);
  list.MoveToBack(back);

  const int offset = OffsetInOrder(elements, sequence, m);
  std::vector<int> segment;
  std::vector<int> between;

  // Segments waiting to be split; the top is split first (A … s before s … B).
  std::vector<std::pair<int, int>> pending{{front, back}};
  while (!pending.empty()) {
    auto [a, b] = pending.back();
    pending.pop_back();
    if (b == a || list.Next(a) == b || (list.Next(a) >= 0 && list.Next(list.Next(a)) == b)) {
      continue;
    }

    // A segment at an end of the list may take a new anchor: any inner node farther from the
    // other end than the anchor so far.
    if (a == front && b != back) {
      double reach = dist(a, b);
      for (int x = list.Next(a); x != b;) {
        const int after = list.Next(x);
        const double v = dist(x, b);
        if (v > reach) {
          list.MoveToFront(x);
          a = front = x;
          reach = v;
        }
        x = after;
      }
    } else if (b == back && a != front) {
      double reach = dist(a, b);
      for (int x = list.Previous(b); x != a;) {
        const int before = list.Previous(x);
        const double v = dist(a, x);
        if (v > reach) {
          list.MoveToBack(x);
          b = back = x;
          reach = v;
        }
        x = before;
      }
    }

    // Medoid among the inner nodes.
    int s = -1;
    if (a == list.First() && b == list.Last() && d.rowSums.size() == static_cast<size_t>(d.size)) {
      double smallest = 0.0;
      for (int x = list.Next(a); x != b; x = list.Next(x)) {
        const double v = d.rowSums[static_cast<size_t>(list.Item(x))];
        if (s < 0 || v < smallest) {
          s = x;
          smallest = v;
        }
      }
    } else {
      segment.clear();
      for (int y = a; y != b; y = list.Next(y))
        segment.push_back(list.Item(y));
      double smallest = 0.0;
      for (int x = list.Next(a); x != b; x = list.Next(x)) {
        const int item = list.Item(x);
        double sum = 0.0;
        for (const int other : segment)
          sum += d.At(item, other);
        if (s < 0 || sum < smallest) {
          s = x;
          smallest = sum;
        }
      }
    }

    // Reassignment around the medoid.
    auto f = [&](int x) {
      const double toA = dist(x, a);
      const double toB = dist(x, b);
      return toA * toA - toB * toB;
    };
    const double fs = f(s);
    between.clear();
    for (int x = list.Next(a); x != s; x = list.Next(x))
      between.push_back(x);
    const size_t beforeMedoid = between.size();
    for (int x = list.Next(s); x != b; x = list.Next(x))
      between.push_back(x);
    for (size_t k = 0; k < beforeMedoid; ++k) {
      if (static_cast<double>(static_cast<float>(f(between[k]))) > fs)
        list.MoveAfter(between[k], s);
    }
    for (size_t k = beforeMedoid; k < between.size(); ++k) {
      if (static_cast<double>(static_cast<float>(f(between[k]))) < fs) {
        list.MoveBefore(between[k], s);
      }
    }

    if (observer != nullptr) {
      list.WriteTo(sequence);
      if (offset >= 0) {
        int length = 1;
        for (int x = a; x != b; x = list.Next(x))
          ++length;
        observer->SelectSegment(offset + list.IndexOf(a), length);
      }
      observer->Repaint();
    }

    pending.emplace_back(s, b);
    pending.emplace_back(a, s);
  }
  list.WriteTo(sequence);
}
