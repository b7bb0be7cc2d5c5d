#include "document/QuorvelDoc.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/Failure.h"
#include "base/FileNames.h"
#include "base/Services.h"
#include "data/DataFactory.h"
#include "data/TextTableReader.h"
#include "data/WorkbookTableReader.h"
#include "dissimilarity/SideDistances.h"
#include "document/WindowHost.h"
#include "settings/SettingsPersistence.h"

CQuorvelDoc::CQuorvelDoc(CServices& services, CSettingsStore& store, CCommandLine commandLine,
                         CWindowHost* host)
    : CDocumentContext(services),
      store_(&store),
      commandLine_(std::move(commandLine)),
      host_(host) {
  rowOrder.isRowSide = true;
  columnOrder.isRowSide = false;
}

CQuorvelDoc::~CQuorvelDoc() {
  while (!views.empty())
    CloseView(*views.back());
}

void CQuorvelDoc::BuildSettings() {
  ResetDisplaySettings(display);
  LoadDisplaySettings(*store_, display);
  LoadTreatmentSettings(*store_, settings, true);
  ApplyKeywords(commandLine_, settings, display);
  settings.document = this;
  DeriveColorSwitches(display);
}

bool CQuorvelDoc::OpenDocument(const std::string& path, int* failureCode) {
  // The file must open for reading before anything else happens.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    Services().ShowMessageBox("Cannot open the file " + path + ":\n" + std::strerror(error));
    if (failureCode)
      *failureCode = error == ENOENT || error == ENOTDIR ? kReadFileMissing : kReadFileUnreadable;
    return false;
  }
  ::close(fd);

  BuildSettings();
  if (commandLine_.arguments.empty() && settings.ShowWindowsOptionsDlgAtStartTime != 0 &&
      host_ != nullptr) {
    TreatmentSettings edited = settings;
    if (!host_->EditSettingsBeforeOpening(edited, path)) {
      if (failureCode) *failureCode = 0;
      return false;
    }
    settings = edited;
    settings.document = this;
  }
  rowOrder.settings = &settings;
  columnOrder.settings = &settings;
  rowOrder.document = columnOrder.document = this;
  rowOrder.isRowSide = rowOrder.byRows = true;
  columnOrder.isRowSide = columnOrder.byRows = false;

  std::string reason;
  const int code = LoadDataFile(path, &reason);
  if (code != 0) {
    Services().ShowWarning(CWarning::FromTable(code, 0, 0, reason));
    if (failureCode) *failureCode = code;
    data.reset();
    return false;
  }
  return true;
}

int CQuorvelDoc::ReadDataTable(std::string* reason) {
  // Only a name ending in exactly "xls" is a workbook: data.XLS goes to the text reader.
  const bool workbook =
      pathName.size() >= 3 && pathName.compare(pathName.size() - 3, 3, "xls") == 0;
  if (workbook) return ReadWorkbookTable(*data, settings);
  return ReadTextTable(*data, settings, reason);
}

int CQuorvelDoc::LoadDataFile(const std::string& path, std::string* reason) {
  pathName = path;
  data = CreateDataTable(settings.DataType);
  title = FileNameOf(path);
  data->document = this;
  data->fileName = path;
  data->maxRowLabelLength = data->maxColumnLabelLength = 0;
  if (const int code = ReadDataTable(reason); code != 0) return code;
  data->Prepare();
  data->ComputeValueRange();

  PrepareDistanceMatrices(*data);
  BindOrders();
  // A computation stopped for missing data has shown its message: the program ends.
  if (ComputeRowDistances(*data) == 0) throw CProgramExit(1);
  if (ComputeColumnDistances(*data) == 0) throw CProgramExit(1);
  data->FinishLoad();
  return 0;
}

void CQuorvelDoc::BindOrders() {
  std::vector<double> weights(static_cast<size_t>(data->rowCount));
  for (int i = 0; i < data->rowCount; ++i)
    weights[static_cast<size_t>(i)] = data->RowWeight(i);
  rowOrder.Initialize(data->rowCount, &data->rowDistances, &data->rowLabels, weights);
  weights.assign(static_cast<size_t>(data->columnCount), 0.0);
  for (int j = 0; j < data->columnCount; ++j) {
    weights[static_cast<size_t>(j)] = data->ColumnWeight(j);
  }
  columnOrder.Initialize(data->columnCount, &data->columnDistances, &data->columnLabels, weights);
  for (CTree* side : {&rowOrder, &columnOrder}) {
    side->settings = &settings;
    side->document = this;
  }
}

CViewModel& CQuorvelDoc::CreateView() {
  auto view = std::make_unique<CViewModel>(*this);
  if (firstView || currentView == nullptr) {
    view->rowTree = rowOrder;
    view->columnTree = columnOrder;
    view->rowTree.linkage = settings.AgregationCriterion;
    view->columnTree.linkage = settings.AgregationCriterion;
    view->ComputeObjectives();
    view->fullScreen = settings.FullScreen != 0;
    firstView = false;
  } else {
    view->rowTree = currentView->rowTree;
    view->columnTree = currentView->columnTree;
  }
  CViewModel& created = *view;
  views.push_back(std::move(view));
  currentView = &created;
  if (host_) host_->ViewOpened(created);
  return created;
}

void CQuorvelDoc::CloseView(CViewModel& view) {
  if (host_) host_->ViewClosing(view);
  for (auto it = views.begin(); it != views.end(); ++it) {
    if (it->get() != &view) continue;
    views.erase(it);
    break;
  }
  if (currentView == &view) currentView = views.empty() ? nullptr : views.back().get();
}

void CQuorvelDoc::RepaintActiveView() {
  if (host_ && currentView) host_->ViewChanged(*currentView, false);
}

void CQuorvelDoc::UpdateAllViews(bool fitFrame) {
  if (!host_) return;
  for (auto& view : views)
    host_->ViewChanged(*view, fitFrame);
}
