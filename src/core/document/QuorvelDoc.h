// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/Annotations.h"
#include "data/Data.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/SideRefill.h"
#include "document/PictureExporter.h"
#include "document/PrototypeRows.h"
#include "document/ViewModel.h"
#include "settings/DisplaySettings.h"
#include "settings/DisplaySwitches.h"
#include "settings/Keywords.h"
#include "settings/TreatmentSettings.h"
#include "tree/Tree.h"

class CServices;
class CSettingsStore;
class CWindowHost;

// One opened data file: the prepared data table with the dissimilarity matrices of its two
// sides, the document's copies of the settings, the two loaded orders, the display switches of
// its windows and the windows (views) themselves. The document is the only part of the core that
// talks to the services: the layers below it get their options, a progress reporter and
// callbacks, and give back their results.
class CQuorvelDoc {
 public:
  // `host` may be null (a batch run). The settings come from the defaults, the store and the
  // command line, in this order, when the document is opened.
  CQuorvelDoc(CServices& services, CSettingsStore& store, CCommandLine commandLine,
              CWindowHost* host, CPictureExporter* exporter = nullptr);
  ~CQuorvelDoc();
  CQuorvelDoc(const CQuorvelDoc&) = delete;
  CQuorvelDoc& operator=(const CQuorvelDoc&) = delete;

  // Opens `path`: checks that the file can be opened, builds the settings, shows the treatment
  // dialog when the program was started without arguments (and the settings ask for it), loads
  // the file. On a reader failure its message is shown and false is returned (no document);
  // failures of the data end the program (CError, CProgramExit). `failureCode` receives the
  // number of the message shown, for the exit status of a batch run.
  bool OpenDocument(const std::string& path, int* failureCode = nullptr);

  // The load proper: reader, preparation, dissimilarities, orders. 0 or a reader code.
  int LoadDataFile(const std::string& path, std::string* reason = nullptr);

  // Creates a window: the first takes the loaded orders and computes R and S, later ones copy
  // the current view. The new view becomes the current one.
  CViewModel& CreateView();
  // Destroys a view (its window goes first).
  void CloseView(CViewModel& view);

  // Lays out and repaints every window (fitting the frames when asked).
  void UpdateAllViews(bool fitFrame = false);

  CServices& Services() const { return *services_; }
  CWindowHost* Host() const { return host_; }
  // R is computed only while the objective functions are shown.
  bool ComputesObjectiveR() const { return display.m_bShowObjectiveFunctionsValue != 0; }
  // The measure the tables of this document are compared with, as the report names it.
  EDissimilarity Measure() const;

  TreatmentSettings settings;
  DisplaySettings display;
  CDisplaySwitches switches;

  std::string pathName;
  std::string saveName;
  std::string exportName;
  std::string treeFileName;
  std::string title;
  std::unique_ptr<CData> data;
  // The dissimilarities between the rows and between the columns of `data`.
  CDistance rowDistances;
  CDistance columnDistances;
  // The rows read, when the table's rows were replaced by prototypes (empty otherwise).
  CReadRows readRows;
  // What puts a side's pairs back after a step worked inside its triangle; null when the steps
  // must work on copies (the columns of a table summarised by prototypes were compared over the
  // rows read, which are gone).
  CTriangleRefill* RefillOf(bool rows) const {
    return rows ? rowRefill_.get() : columnRefill_.get();
  }
  // What the analyst's annotation files say about the rows and the columns, matched to the
  // items of `data`; shown as tracks beside the matrix.
  CSideAnnotations rowAnnotations;
  CSideAnnotations columnAnnotations;
  CTree rowOrder;
  CTree columnOrder;
  int sx = 12;
  int sy = 12;
  CViewModel* currentView = nullptr;
  std::vector<std::unique_ptr<CViewModel>> views;

  bool automationPending = true;
  bool firstView = true;

  // Draws pictures into files and onto the clipboard (none in tests without pictures).
  CPictureExporter* exporter;
  // A file the command line named could not be read (annotations) or written.
  bool outputFailed = false;
  // The automatic treatment asked the program to end.
  bool exitRequested = false;

  // The last choice of the export dialog.
  CExportChoice exportChoice;

 private:
  void BuildSettings();
  void BindOrders();
  std::string ComputeSide(bool byColumns);
  void CreateRefills();

  CServices* services_;
  CSettingsStore* store_;
  CCommandLine commandLine_;
  CWindowHost* host_;
  std::unique_ptr<CSideRefill> rowRefill_;
  std::unique_ptr<CSideRefill> columnRefill_;
};
