// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

class CZipArchive;

// What an XML part of a workbook tells its reader, element by element (expat's events with
// namespaces resolved: names come without their prefix or namespace).
class CXmlHandler {
 public:
  virtual ~CXmlHandler() = default;
  virtual void Start(std::string_view name, const char** attributes) = 0;
  virtual void End(std::string_view name) = 0;
  virtual void Text(std::string_view text) = 0;
  // Read after every event: true ends the parse early (as a success).
  bool done = false;
};

// The value of the attribute of local name `name` among expat's attribute pairs, or null.
const char* XmlAttribute(const char** attributes, std::string_view name);

// Parses the zip member `member` with `handler`, inflating and parsing piece by piece. False
// (with a reason) when the member is missing or damaged or its XML is malformed.
bool ParseXmlMember(CZipArchive& zip, const std::string& member, CXmlHandler& handler,
                    std::string* error);
