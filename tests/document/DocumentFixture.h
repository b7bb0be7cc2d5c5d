// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ScriptedServices.h"
#include "TestFiles.h"
#include "document/QuorvelDoc.h"
#include "settings/SettingsStore.h"

// A document opened from a literal table with scripted services, an empty in-memory store and
// the given command-line keywords.
struct CDocumentFixture {
  CScriptedServices services;
  CMemorySettingsStore store;
  CTempDir folder;
  std::unique_ptr<CQuorvelDoc> document;
  int failure = 0;

  // Writes `content` to `fileName`, opens it with `keywords` (the file first) and creates the
  // first view. Returns whether the document opened.
  bool Open(const std::string& content, const std::vector<std::string>& keywords = {},
            const std::string& fileName = "table.txt");
  CQuorvelDoc& Doc() { return *document; }
  CViewModel& Current() { return *document->currentView; }
  int ViewCount() const { return static_cast<int>(document->views.size()); }
};

// A numerical table of `rows` rows and `columns` columns with distinct values.
std::string NumericalTable(int rows, int columns);
