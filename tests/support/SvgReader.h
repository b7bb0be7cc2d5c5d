// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// An SVG file read back with a real XML parser (expat), for tests: every element in document
// order with its attributes, its character data and the class of the nearest enclosing group.
struct CSvgElement {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::string text;
  std::string groupClass;
  std::string Attribute(const std::string& key) const;
};

struct CSvgReading {
  bool wellFormed = false;
  std::string error;  // the parser's message and line when not well-formed
  std::vector<CSvgElement> elements;

  // Elements named `name`; with `groupClass`, only those inside a group of that class.
  int Count(std::string_view name) const;
  int CountInGroup(std::string_view name, std::string_view groupClass) const;
  // The character data of the <text> elements, in order.
  std::vector<std::string> Texts() const;
};

CSvgReading ReadSvg(std::string_view text);
