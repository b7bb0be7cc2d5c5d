// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/Tree.h"

#include <utility>

namespace {

// Walks are iterative: a single-linkage chain over many items would be too deep for recursion.

// Visits every node of the subtree children before parents (left subtree, right subtree,
// node), descending only through expanded internal nodes.
template <class Visit>
void PostOrderExpanded(const CTree& tree, int node, Visit visit) {
  std::vector<std::pair<int, bool>> stack{{node, false}};
  while (!stack.empty()) {
    const auto [v, childrenDone] = stack.back();
    stack.pop_back();
    if (!childrenDone && tree.Descends(v)) {
      stack.emplace_back(v, true);
      stack.emplace_back(tree.Node(v).right, false);
      stack.emplace_back(tree.Node(v).left, false);
    } else {
      visit(v);
    }
  }
}

// Visits the node, then its left subtree, then its right subtree; `descend(v)` says whether the
// walk goes below v (v an internal node).
template <class Visit, class Descend>
void PreOrder(const CTree& tree, int node, Visit visit, Descend descend) {
  std::vector<int> stack{node};
  while (!stack.empty()) {
    const int v = stack.back();
    stack.pop_back();
    visit(v);
    if (!tree.IsLeaf(v) && descend(v)) {
      stack.push_back(tree.Node(v).right);
      stack.push_back(tree.Node(v).left);
    }
  }
}

}  // namespace

int CombineMark(int left, int right) {
  if (left == -1 || right == -1) return -1;
  if (left == -3) return right;
  if (right == -3) return left;
  if (left == right) return left;
  return -2;
}

void CTree::Initialize(int n, CDistance* sideDistance, const std::vector<std::string>* sideLabels,
                       const std::vector<double>& weights) {
  CElements::Initialize(n, sideDistance, sideLabels, weights);
  hasTree = false;
  userSelection = false;
  marksShown = false;
  selectedNode = kNoNode;
  lastClicked = kNoNode;
  orderMethodMark = -1;
  cutClusters.clear();
  cutHeight.reset();
}

void CTree::ComputePositions(int node) {
  PreOrder(
      *this, node,
      [&](int v) {
        if (!Descends(v)) return;
        CNode& parent = Node(v);
        CNode& left = Node(parent.left);
        CNode& right = Node(parent.right);
        left.parent = right.parent = parent.index;
        left.first = parent.first;
        right.first = parent.first + left.count;
      },
      [&](int v) { return Node(v).expanded; });
}

int CTree::WriteLeaves(int node, int cursor) {
  const int start = cursor;
  PostOrderExpanded(*this, node, [&](int v) {
    CNode& current = Node(v);
    if (current.IsLeaf()) {
      order[static_cast<size_t>(cursor++)] = current.index;
      current.count = 1;
    } else if (!current.expanded) {
      for (int item : current.items)
        order[static_cast<size_t>(cursor++)] = item;
    } else {
      current.count = Node(current.left).count + Node(current.right).count;
    }
  });
  return cursor - start;
}

void CTree::RebuildOrder(int node) {
  ComputePositions(node);
  WriteLeaves(node, Node(node).first);
}

void CTree::CollectItems(int node, std::vector<int>& out) const {
  PostOrderExpanded(*this, node, [&](int v) {
    const CNode& current = Node(v);
    if (current.IsLeaf()) {
      out.push_back(current.index);
    } else if (!current.expanded) {
      out.insert(out.end(), current.items.begin(), current.items.end());
    }
  });
}

int CTree::SmallestEnclosing(int leaf, int end) const {
  int v = leaf;
  while (v != root && Node(v).first + Node(v).count < end)
    v = Node(v).parent;
  return v;
}

int CTree::TopAggregated(int node) const {
  int v = node;
  while (v != root && Node(v).parent != 0 && !Node(Node(v).parent).expanded)
    v = Node(v).parent;
  return v;
}

void CTree::SetHighlight(int node, bool value) {
  PreOrder(
      *this, node,
      [&](int v) {
        CNode& current = Node(v);
        if (current.IsLeaf()) return;
        const bool parentExpanded = v == root || Node(current.parent).expanded;
        current.highlighted =
            (current.expanded || (parentExpanded && selectionLength >= current.count)) && value;
      },
      [](int) { return true; });
}

void CTree::MarkComplete(int node) {
  PreOrder(
      *this, node, [&](int v) { Node(v).complete = true; }, [](int) { return true; });
}

void CTree::ClearComplete(int node) {
  int v = node;
  for (;;) {
    Node(v).complete = false;
    if (v == root || Node(v).parent == 0) break;
    v = Node(v).parent;
  }
}

void CTree::SetMarks(int node, int method, int criterion) {
  PreOrder(
      *this, node,
      [&](int v) {
        CNode& current = Node(v);
        current.criterionMark = criterion;
        if (!current.IsLeaf() && !current.expanded) current.methodMark = method;
      },
      [&](int v) { return Node(v).expanded; });
}

void CTree::ResetMarks(int node) {
  if (!hasTree) {
    orderMethodMark = -1;
    return;
  }
  PreOrder(
      *this, node,
      [&](int v) {
        CNode& current = Node(v);
        if (current.IsLeaf() || current.expanded) {
          current.criterionMark = -1;
          current.methodMark = -3;
        } else {
          current.methodMark = -1;
        }
      },
      [&](int v) { return Node(v).expanded; });
}

CMarkPair CTree::CombineMarks(int node) {
  PostOrderExpanded(*this, node, [&](int v) {
    CNode& current = Node(v);
    if (!Descends(v)) return;
    const CNode& left = Node(current.left);
    const CNode& right = Node(current.right);
    current.methodMark = CombineMark(left.methodMark, right.methodMark);
    current.criterionMark = CombineMark(left.criterionMark, right.criterionMark);
  });
  return {Node(node).methodMark, Node(node).criterionMark};
}

int CTree::GroupAtPosition(int position) const {
  if (!hasTree || position < 0 || position >= count) return kNoNode;
  const int leaf = order[static_cast<size_t>(position)];
  if (Node(leaf).expanded) return kNoNode;  // a shown leaf belongs to no group
  return TopAggregated(leaf);
}

int CTree::GroupHoldingBlock(int start, int length) const {
  const int group = GroupAtPosition(start);
  if (group == kNoNode) return kNoNode;
  const CNode& node = Node(group);
  return start >= node.first && start + length <= node.first + node.count ? group : kNoNode;
}

void CTree::MarkItemGroup(int value) {
  const int group = GroupAtPosition(selectionStart);
  if (group != kNoNode) Node(group).methodMark = value;
}

bool CTree::HasMethodMark() const {
  if (!hasTree) return orderMethodMark != -1;
  const int mark = Node(root).methodMark;
  return mark != -1 && mark != -3;
}

void CTree::ResetEditedMarks() {
  if (!hasTree) {
    orderMethodMark = -1;
    return;
  }
  if (selectedNode != kNoNode) ResetMarks(selectedNode);
  CombineMarks(root);
}

void CTree::StoreGroupItems(int group) {
  CNode& node = Node(group);
  const auto begin = order.begin() + node.first;
  node.items.assign(begin, begin + node.count);
}
