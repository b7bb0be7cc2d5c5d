// SPDX-License-Identifier: GPL-3.0-or-later
// Newick text of a dendrogram: "(left:length,right:length)" per internal node, labels at the
// leaves, ";" at the end. The walk is iterative (a chained tree is as deep as it has leaves);
// time and memory O(nodes + text).
#include "tree/NewickWriter.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "base/AtomicFile.h"
#include "base/Text.h"
#include "tree/Tree.h"

std::string FormatBranchLength(double length) {
  const double x = std::fabs(length);
  if (x > 9999.999) return Format("%.0f", length);
  if (x > 999.999) return Format("%.1f", length);
  if (x > 0.1) return Format("%.2f", length);
  if (x > 0.01) return Format("%.3f", length);
  if (x > 0.001) return Format("%.4f", length);
  return Format("%5.2f", length);
}

std::string ExactBranchLength(double length) {
  // A zero difference of heights may come out as -0; the tree files have no use for the sign.
  if (length == 0.0) length = 0.0;
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, length);
  return std::string(buffer, result.ptr);
}

std::string NewickLabel(std::string_view label) {
  constexpr std::string_view kReserved = " \t\r\n'()[],:;";
  if (label.find_first_of(kReserved) == std::string_view::npos) return std::string(label);
  std::string quoted = "'";
  for (char c : label) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  quoted += '\'';
  return quoted;
}

namespace {

// Length of the branch from `parent` down to `child`.
double BranchLength(const CNode& parent, const CNode& child) {
  if (parent.expanded) return parent.height - child.height;
  return child.IsLeaf() ? parent.height : 0.0;
}

}  // namespace

std::optional<std::string> NewickText(const CTree& tree, std::string* reason,
                                      ENewickLengths lengths) {
  auto fail = [&](std::string why) -> std::optional<std::string> {
    if (reason) *reason = std::move(why);
    return std::nullopt;
  };
  if (!tree.hasTree || tree.selectedNode == kNoNode) return fail("the side has no tree");
  // Each stack entry is either a node to open or a piece of text to append.
  struct CStep {
    int node;          // kNoNode for text
    std::string text;  // appended when node is kNoNode
  };
  std::string out;
  std::vector<CStep> stack;
  stack.push_back({tree.selectedNode, {}});
  while (!stack.empty()) {
    CStep step = std::move(stack.back());
    stack.pop_back();
    if (step.node == kNoNode) {
      out += step.text;
      continue;
    }
    const CNode& node = tree.Node(step.node);
    if (node.IsLeaf()) {
      if (tree.labels == nullptr || node.index < 0 ||
          static_cast<size_t>(node.index) >= tree.labels->size()) {
        return fail(Format("item %d has no label", node.index));
      }
      out += NewickLabel((*tree.labels)[static_cast<size_t>(node.index)]);
      continue;
    }
    const auto length = [lengths](double value) {
      return lengths == ENewickLengths::kExact ? ExactBranchLength(value)
                                               : FormatBranchLength(value);
    };
    const CNode& left = tree.Node(node.left);
    const CNode& right = tree.Node(node.right);
    const double leftLength = BranchLength(node, left);
    const double rightLength = BranchLength(node, right);
    // Phylogeny programs read numbers: a length that is none makes no file at all.
    if (!std::isfinite(leftLength) || !std::isfinite(rightLength)) {
      return fail(Format("a branch length below node %d is not a finite number", node.index));
    }
    // Pushed in reverse: "(", left, ":len,", right, ":len)".
    stack.push_back({kNoNode, ":" + length(rightLength) + ")"});
    stack.push_back({node.right, {}});
    stack.push_back({kNoNode, ":" + length(leftLength) + ","});
    stack.push_back({node.left, {}});
    out += "(";
  }
  out += ";";
  return out;
}

bool WriteNewick(const CTree& tree, const std::string& path, std::string* reason,
                 ENewickLengths lengths) {
  const std::optional<std::string> text = NewickText(tree, reason, lengths);
  if (!text) return false;
  return WriteFileAtomically(path, *text, reason);
}
