// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/DendrogramDrawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/Device.h"
#include "render/Pen.h"
#include "tree/Tree.h"
#include "tree/TreeCut.h"

namespace {

// Along-leaf extent of a laid-out node: its bar's two ends and its middle.
struct Span {
  int first = 0;
  int last = 0;
  int middle = 0;
};

class Layout {
 public:
  Layout(const CTree& tree, CDendrogramGeometry& geometry, const CRect& zone, int cellSize,
         bool rowSide)
      : tree_(tree),
        points_(geometry.drawPoints),
        zone_(zone),
        cell_(cellSize),
        rowSide_(rowSide),
        spans_(tree.nodes.size()) {
    depthExtent_ = rowSide ? zone.Width() : zone.Height();
    cursor_ = -cellSize;
    half_ = cellSize / 2;
  }

  // The line across the zone at `height`, inside the zone.
  std::pair<CPoint, CPoint> Across(double height) const {
    const int depth = std::clamp(Depth(height), 0, depthExtent_);
    if (rowSide_) return {{zone_.left + depth, zone_.top}, {zone_.left + depth, zone_.bottom}};
    return {{zone_.left, zone_.top + depth}, {zone_.right, zone_.top + depth}};
  }

  void Run(int root) {
    // Deep trees (chained merges of thousands of items) would exhaust the call stack: the walk
    // keeps its own stack, visiting each expanded node twice (before and after its children).
    std::vector<std::pair<int, bool>> stack{{root, false}};
    while (!stack.empty()) {
      const auto [v, childrenDone] = stack.back();
      stack.pop_back();
      const CNode& node = tree_.Node(v);
      if (node.IsLeaf()) {
        cursor_ += cell_;
        spans_[static_cast<size_t>(v)] = {cursor_, cursor_, cursor_};
        continue;
      }
      if (!node.expanded) {
        const int first = cursor_ + cell_;
        const int last = first + cell_ * (node.count - 1);
        cursor_ = last;
        spans_[static_cast<size_t>(v)] = {first, last, (first + last) / 2};
        const int depth = Depth(node.height);
        points_[static_cast<size_t>(v)] = {Point(depthExtent_, last), Point(depth, last),
                                           Point(depth, first), Point(depthExtent_, first)};
        continue;
      }
      if (!childrenDone) {
        stack.push_back({v, true});
        stack.push_back({node.right, false});
        stack.push_back({node.left, false});
        continue;
      }
      const CNode& left = tree_.Node(node.left);
      const CNode& right = tree_.Node(node.right);
      const Span& leftSpan = spans_[static_cast<size_t>(node.left)];
      const Span& rightSpan = spans_[static_cast<size_t>(node.right)];
      const int first = leftSpan.middle;
      const int last =
          (!right.IsLeaf() && right.height == node.height) ? rightSpan.last : rightSpan.middle;
      spans_[static_cast<size_t>(v)] = {first, last, (first + last) / 2};
      const int depth = Depth(node.height);
      points_[static_cast<size_t>(v)] = {Point(Depth(right.height), rightSpan.middle),
                                         Point(depth, last), Point(depth, first),
                                         Point(Depth(left.height), leftSpan.middle)};
    }
  }

 private:
  int Depth(double height) const {
    const double top = tree_.rootHeight;
    if (!(top > 0.0)) return height > 0.0 ? 0 : depthExtent_;
    const double depth = depthExtent_ * (1.0 - height / top);
    // A height that is no number lies at the matrix; inverted merges far below the root may
    // reach beyond the zone, but never beyond coordinates that later sums keep in range.
    if (std::isnan(depth)) return depthExtent_;
    constexpr double kFarthest = 1 << 24;
    return static_cast<int>(std::clamp(depth, -kFarthest, kFarthest));
  }
  // A (depth, along) pair in picture units, shifted by half a cell along the leaves.
  CPoint Point(int depth, int along) const {
    if (rowSide_) return {zone_.left + depth, zone_.top + half_ + along};
    return {zone_.left + half_ + along, zone_.top + depth};
  }

  const CTree& tree_;
  std::vector<std::array<CPoint, 4>>& points_;
  CRect zone_;
  int cell_;
  bool rowSide_;
  std::vector<Span> spans_;
  int depthExtent_ = 0;
  int cursor_ = 0;
  int half_ = 0;
};

// The branch from a node's bar to one child: extended by 5 units across the leaves and 3 along.
CRect BranchHitRect(CPoint barEnd, CPoint branchEnd, bool rowSide) {
  CRect rect{barEnd.x, barEnd.y, branchEnd.x, branchEnd.y};
  rect.Normalize();
  const int acrossX = rowSide ? 5 : 3;
  const int acrossY = rowSide ? 3 : 5;
  rect.left -= acrossX, rect.right += acrossX;
  rect.top -= acrossY, rect.bottom += acrossY;
  return rect;
}

}  // namespace

int CDendrogramGeometry::HitTest(const CTree& tree, int node, CPoint point) const {
  if (node == kNoNode || tree.nodes.size() != hitRects.size()) return kNoNode;
  std::vector<int> stack{node};
  while (!stack.empty()) {
    const int v = stack.back();
    stack.pop_back();
    const CNode& current = tree.Node(v);
    if (current.IsLeaf()) continue;
    if (hitRects[static_cast<size_t>(v)].Contains(point)) return v;
    if (current.expanded) {
      stack.push_back(current.right);
      stack.push_back(current.left);
    }
  }
  return kNoNode;
}

CDendrogramGeometry LayoutDendrogram(const CTree& tree, const CRect& zone, int cellSize,
                                     bool rowSide) {
  CDendrogramGeometry geometry;
  geometry.drawPoints.assign(tree.nodes.size(), {});
  geometry.hitRects.assign(tree.nodes.size(), CRect{});
  if (tree.root == kNoNode || tree.nodes.empty()) return geometry;
  Layout layout(tree, geometry, zone, cellSize, rowSide);
  layout.Run(tree.root);
  if (HasCut(tree) && tree.cutHeight) geometry.cutLine = layout.Across(*tree.cutHeight);
  return geometry;
}

void DrawDendrogram(CDevice& device, const CTree& tree, CDendrogramGeometry& geometry, bool rowSide,
                    const CPen& treePen, const CPen& highlightPen) {
  if (tree.root == kNoNode || tree.nodes.empty()) return;
  if (geometry.drawPoints.size() != tree.nodes.size()) return;
  std::vector<int> stack{tree.root};
  while (!stack.empty()) {
    const int v = stack.back();
    stack.pop_back();
    const CNode& node = tree.Node(v);
    if (node.IsLeaf()) continue;
    const auto& p = geometry.drawPoints[static_cast<size_t>(v)];
    device.SelectPen(node.highlighted ? &highlightPen : &treePen);
    device.DrawLine(p[0], p[1]);
    device.DrawLine(p[1], p[2]);
    device.DrawLine(p[2], p[3]);
    if (!node.expanded) continue;
    // Right child's branch runs from p[1]'s depth at the child's position to p[0]; the left
    // child's from p[2]'s depth to p[3].
    const CPoint rightBar = rowSide ? CPoint{p[1].x, p[0].y} : CPoint{p[0].x, p[1].y};
    const CPoint leftBar = rowSide ? CPoint{p[2].x, p[3].y} : CPoint{p[3].x, p[2].y};
    geometry.hitRects[static_cast<size_t>(node.right)] = BranchHitRect(rightBar, p[0], rowSide);
    geometry.hitRects[static_cast<size_t>(node.left)] = BranchHitRect(leftBar, p[3], rowSide);
    stack.push_back(node.right);
    stack.push_back(node.left);
  }
  if (geometry.cutLine) {
    const CPen cutPen{highlightPen.color, 1, CPenStyle::kDash};
    device.SelectPen(&cutPen);
    device.DrawLine(geometry.cutLine->first, geometry.cutLine->second);
    // Devices may keep the pen selected: leave them one that outlives this call.
    device.SelectPen(&treePen);
  }
}
