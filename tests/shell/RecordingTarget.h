// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "shell/CommandTarget.h"

// A command target that records what the main window sends and answers from its fields.
class CRecordingTarget : public CCommandTarget {
 public:
  bool Execute(int command) override {
    executed.push_back(command);
    return handlesEverything;
  }
  CCommandState State(int command) override {
    const auto found = states.find(command);
    return found != states.end() ? found->second : CCommandState{};
  }
  std::array<std::string, kStatusPaneCount> StatusTexts() override { return statusTexts; }
  std::optional<int> MethodChoice(CMethodKind kind) override {
    if (!documentOpen) return std::nullopt;
    return methods[static_cast<int>(kind)];
  }
  void SetMethodChoice(CMethodKind kind, int code) override {
    methodChanges.emplace_back(static_cast<int>(kind), code);
    methods[static_cast<int>(kind)] = code;
  }
  std::optional<bool> RowsActive() override {
    if (!documentOpen) return std::nullopt;
    return rowsActive;
  }
  void SetRowsActive(bool rows) override {
    rowsActive = rows;
    sideChanges.push_back(rows);
  }
  std::optional<double> CurrentZoom() override {
    if (!documentOpen) return std::nullopt;
    return zoom;
  }
  void ChooseZoom(const CPaletteChoice& choice) override {
    zoomChoices.push_back(choice);
    if (!choice.fit) zoom = choice.zoom;
  }
  bool OpenFile(const std::string& path) override {
    opened.push_back(path);
    return openable.count(path) > 0;
  }

  // The main window does its own part of a command only when this is false.
  bool handlesEverything = true;
  std::map<int, CCommandState> states;
  std::vector<int> executed;
  std::array<std::string, kStatusPaneCount> statusTexts;
  bool documentOpen = true;
  std::map<int, int> methods{{0, 2}, {1, 0}, {2, 0}};
  std::vector<std::pair<int, int>> methodChanges;
  bool rowsActive = true;
  std::vector<bool> sideChanges;
  double zoom = 1.0;
  std::vector<CPaletteChoice> zoomChoices;
  std::set<std::string> openable;
  std::vector<std::string> opened;
};
