#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/Data.h"
#include "document/ViewModel.h"
#include "settings/DocumentContext.h"
#include "settings/Keywords.h"
#include "tree/Tree.h"

class CPictureExporter;
class CSettingsStore;
class CWindowHost;

// One opened data file: the prepared data table with its two dissimilarity matrices, the
// document's copies of the settings, the two loaded orders, the display switches of its windows
// and the windows (views) themselves.
class CQuorvelDoc : public CDocumentContext {
 public:
  // `host` may be null (a batch run). The settings come from the defaults, the store and the
  // command line, in this order, when the document is opened.
  CQuorvelDoc(CServices& services, CSettingsStore& store, CCommandLine commandLine,
              CWindowHost* host);
  ~CQuorvelDoc() override;

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

  // Both display switches and the settings reach the windows through here.
  void RepaintActiveView() override;
  void UpdateAllViews(bool fitFrame = false);

  CWindowHost* Host() const { return host_; }
  CSettingsStore& Store() const { return *store_; }
  const CCommandLine& CommandLine() const { return commandLine_; }

  std::string pathName;
  std::string saveName;
  std::string exportName;
  std::string treeFileName;
  std::string title;
  std::unique_ptr<CData> data;
  CTree rowOrder;
  CTree columnOrder;
  int sx = 12;
  int sy = 12;
  CViewModel* currentView = nullptr;
  std::vector<std::unique_ptr<CViewModel>> views;

  // Display switches of the document's windows.
  bool showAverageProfile = false;
  bool showLabelList = false;
  bool showDataValues = false;
  bool showMetrics = false;
  bool showCriteria = true;
  bool showRowTree = true;
  bool showColumnTree = true;
  bool showDataMatrix = true;
  bool showRowLabels = true;
  bool showColumnLabels = true;
  bool rowsActive = true;
  // "Browse Data values": the value under the pointer is shown.
  bool browseDataValues = false;
  bool automationPending = true;
  bool firstView = true;

  // Draws pictures into files and onto the clipboard (none in tests without pictures).
  CPictureExporter* exporter = nullptr;
  // A file the automatic treatment was asked to write could not be written.
  bool outputFailed = false;
  // The automatic treatment asked the program to end.
  bool exitRequested = false;

  // The export choice and the PostScript size of the export dialog.
  int exportChoice = 1;
  double exportWidthMm = 0.0;
  double exportHeightMm = 0.0;

 private:
  void BuildSettings();
  int ReadDataTable(std::string* reason);
  void BindOrders();

  CSettingsStore* store_;
  CCommandLine commandLine_;
  CWindowHost* host_;
};
