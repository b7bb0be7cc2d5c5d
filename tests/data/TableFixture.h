// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ScriptedServices.h"
#include "TestFiles.h"
#include "data/Data.h"
#include "data/ReadContext.h"
#include "settings/DisplaySettings.h"
#include "settings/TreatmentSettings.h"

// Scripted services, the settings a document would read with and a folder for the files of one
// test. The reader's answers reach `display` as they reach a document's.
struct CTableFixture {
  CScriptedServices services;
  TreatmentSettings settings;
  DisplaySettings display;
  CTempDir folder;
  std::unique_ptr<CData> data;
  std::string reason;
  std::vector<std::string> notices;

  // Writes `content` and reads it with the current settings; returns the reader's code.
  int Read(const std::string& content, int dataType = 0);
  int ReadFile(const std::string& path, int dataType = 0);
  // Reads `path` with the reader its name selects, as a document does.
  int ReadAny(const std::string& path, int dataType = 0);
  // Reads the workbook at `path` with the current settings; returns the reader's code.
  int ReadWorkbook(const std::string& path, int dataType = 0);
  // Reads, then prepares as the loader does (weights, transformation, value range).
  int Load(const std::string& content, int dataType = 0);
  double Cell(int i, int j) const { return data->At(i, j); }

 private:
  void MakeTable(const std::string& path, int dataType);
  CReadContext Context();
  int Finish(const CReadOutcome& outcome);
};
