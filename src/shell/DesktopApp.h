// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/WindowHost.h"
#include "settings/Keywords.h"
#include "shell/ClusterActions.h"
#include "shell/CommandTarget.h"
#include "shell/MainWindow.h"
#include "shell/QtServices.h"

class CPictureExporter;
class CQuorvelDoc;
class CSettingsStore;
class CViewModel;
class CViewWidget;

// The desktop program behind the main window: it owns the open documents, gives every window
// model a child window, carries out the commands on the active window and its document, and
// runs each document's automatic treatment once its first window is shown.
class CDesktopApp : public QObject,
                    public CCommandTarget,
                    public CWindowHost,
                    public CClusterActions {
  Q_OBJECT

 public:
  CDesktopApp(CSettingsStore& store, CCommandLine commandLine, CPictureExporter* exporter);
  ~CDesktopApp() override;

  // Shows the main window (with the layout kept from the last run) and opens the file of the
  // command line, if any.
  void Start();

  CMainWindow& MainWindow() { return mainWindow_; }
  CQtServices& Services() { return services_; }
  // The active window's model and document; nullptr when no window is open.
  CViewModel* ActiveView() const;
  CQuorvelDoc* ActiveDocument() const;
  CViewWidget* WidgetOf(const CViewModel& view) const;
  const std::vector<std::unique_ptr<CQuorvelDoc>>& Documents() const { return documents_; }
  // The status the program ends with: 0, since failures no longer end the desktop program.
  int ExitStatus() const { return exitStatus_; }

  // Runs `work`; a failure of the data or of memory is shown and abandons `work` only (the
  // program and every other document and window stay). Returns the failure's number, else 0.
  int Guarded(const std::function<void()>& work);

  // A click changed the selection or the active side of a window: the label list and the
  // clusters window follow.
  void SelectionChanged(CViewModel& view);
  // The position under the pointer in browse mode ("- %u / %u -"), shown in a pane of the
  // status bar; empty clears it.
  void ShowPointerText(const std::string& text);

  // CCommandTarget
  bool Execute(int command) override;
  CCommandState State(int command) override;
  std::array<std::string, kStatusPaneCount> StatusTexts() override;
  std::optional<int> MethodChoice(CMethodKind kind) override;
  void SetMethodChoice(CMethodKind kind, int code) override;
  std::optional<bool> RowsActive() override;
  void SetRowsActive(bool rows) override;
  std::optional<double> CurrentZoom() override;
  void ChooseZoom(const CPaletteChoice& choice) override;
  bool OpenFile(const std::string& path) override;

  // CWindowHost
  void ViewOpened(CViewModel& view) override;
  void ViewClosing(CViewModel& view) override;
  void ViewChanged(CViewModel& view, bool fitFrame) override;
  bool EditSettingsBeforeOpening(TreatmentSettings& settings, const std::string& path) override;
  void RequestExit() override;
  CSeriationObserver* SeriationObserver(CViewModel& view, bool rows) override;

  // CClusterActions
  void Mark(ColorRef color) override;
  void Unmark() override;
  void UnmarkAll() override;

 private:
  void ChildClosing(QWidget* widget);
  void ChildActivated(QWidget* widget);
  void AutomateNewestDocument();
  void EditSettings(bool displayFirst);
  void ExportView(CViewModel& view);
  void SaveSelection(CViewModel& view, bool askName);
  void SaveTree(CViewModel& view, bool rows);
  void CutActiveTree(CViewModel& view);
  void SaveTreeClusters(CViewModel& view);
  void SortSelection(CViewModel& view, bool rows);
  void ToggleLabelList(CQuorvelDoc& document);
  void RefreshLabelList();
  void CloseDocument(CQuorvelDoc& document);
  void RefreshTitles(const CQuorvelDoc& document);
  CQuorvelDoc* DocumentOf(const CViewModel& view) const;
  // The data files of the open documents.
  std::vector<std::string> OpenDataFiles() const;

  CSettingsStore& store_;
  CCommandLine commandLine_;
  CPictureExporter* exporter_;
  CMainWindow mainWindow_;
  CQtServices services_;
  std::vector<std::unique_ptr<CQuorvelDoc>> documents_;
  std::map<const CViewModel*, CViewWidget*> widgets_;
  bool startedWithoutArguments_ = false;
  int exitStatus_ = 0;
};
