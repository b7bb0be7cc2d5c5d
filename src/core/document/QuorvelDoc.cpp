// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/QuorvelDoc.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/Failure.h"
#include "base/FileNames.h"
#include "base/Services.h"
#include "base/StepTimer.h"
#include "data/DataFactory.h"
#include "data/TableFileReader.h"
#include "dissimilarity/SideDistances.h"
#include "document/AnnotationLoad.h"
#include "document/RunMemory.h"
#include "document/WindowHost.h"
#include "seriation/Elements.h"
#include "settings/SettingsPersistence.h"

CQuorvelDoc::CQuorvelDoc(CServices& services, CSettingsStore& store, CCommandLine commandLine,
                         CWindowHost* host, CPictureExporter* exporter)
    : exporter(exporter),
      services_(&services),
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
  }
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
  AttachAnnotationsOfSettings(*this);
  return true;
}

int CQuorvelDoc::LoadDataFile(const std::string& path, std::string* reason) {
  pathName = path;
  data = CreateDataTable(settings.DataType);
  readRows = CReadRows{};
  rowRefill_.reset();
  columnRefill_.reset();
  title = FileNameOf(path);
  data->fileName = path;
  data->representation = settings.DataRepresentation;
  data->maxRowLabelLength = data->maxColumnLabelLength = 0;
  CReadContext context;
  context.progress = &Services();
  context.confirmLargeTable = [this](int rows) { return Services().ConfirmLargeTable(rows); };
  CReadOutcome outcome;
  {
    CStepTimer timer("read");
    // The reader by the file's name (only a name ending in exactly "xls" is a binary workbook:
    // data.XLS goes to the text reader).
    outcome = ReadTableFile(*data, ReadOptionsOf(settings), context);
  }
  // What was read otherwise than asked is said, and the load goes on.
  if (outcome.code == kReadOk) {
    for (const std::string& notice : outcome.notices)
      Services().ShowNotice("NOTE", notice);
  }
  // The large-data window decides whether R is computed for this document.
  if (outcome.computeObjectiveR) {
    display.m_bShowObjectiveFunctionsValue = *outcome.computeObjectiveR ? 1 : 0;
  }
  if (outcome.code != kReadOk) {
    if (reason) *reason = outcome.reason;
    return outcome.code;
  }
  // Numerical rows beyond the number of prototypes asked for are summarised by them.
  const bool summarise = settings.Prototypes > 0 && data->DataType() == EDataType::kNumerical &&
                         data->rowCount > settings.Prototypes;
  // A table whose run cannot fit is refused now, before hours of work or the system's killer.
  RefuseRunTooLarge(RunShapeOf(data->rowCount, data->columnCount, settings, display,
                               summarise ? settings.Prototypes : 0),
                    static_cast<size_t>(data->rowCount) * static_cast<size_t>(data->columnCount) *
                        sizeof(double));
  {
    CStepTimer timer("prepare");
    data->Prepare();
    data->ComputeValueRange();
  }

  // A computation stopped for missing data, an empty line of a contingency table or a
  // dissimilarity file that cannot be read: its message, then the program ends.
  const auto stopOn = [this](const std::string& failure) {
    if (failure.empty()) return;
    Services().ShowMessageBox(failure);
    throw CProgramExit(1);
  };
  if (summarise) {
    // The columns are compared over every row read, then the rows are summarised.
    stopOn(ComputeSide(true));
    readRows = SummariseRows(*data, settings.Prototypes);
    BindOrders();
    stopOn(ComputeSide(false));
  } else {
    BindOrders();
    stopOn(ComputeSide(false));
    stopOn(ComputeSide(true));
  }
  CreateRefills();
  data->FinishLoad();
  return 0;
}

std::string CQuorvelDoc::ComputeSide(bool byColumns) {
  CStepTimer timer(byColumns ? "column dissimilarities" : "row dissimilarities");
  return ComputeSideDistances(*data, byColumns, DissimilarityOptionsOf(settings),
                              byColumns ? columnDistances : rowDistances, &Services());
}

namespace {

// A run without windows: nothing reads a matrix while a step consumes it.
// QUORVEL_INSIDE_TRIANGLES_FROM (bytes) lowers the size from which such a run works inside the
// triangles, so that checks can take that path on small tables.
CInsidePolicy InsidePolicyOf(bool unwatched) {
  CInsidePolicy policy;
  policy.unwatched = unwatched;
  if (const char* from = std::getenv("QUORVEL_INSIDE_TRIANGLES_FROM"); from && *from != '\0') {
    policy.fromBytes = static_cast<size_t>(std::strtoull(from, nullptr, 10));
  }
  return policy;
}

}  // namespace

void CQuorvelDoc::CreateRefills() {
  const CInsidePolicy policy = InsidePolicyOf(host_ == nullptr);
  const CDissimilarityOptions options = DissimilarityOptionsOf(settings);
  const auto stop = [this](const std::string& text) { Services().ShowMessageBox(text); };
  rowRefill_ = std::make_unique<CSideRefill>(*data, false, options, policy, stop);
  if (!readRows.Summarised()) {
    columnRefill_ = std::make_unique<CSideRefill>(*data, true, options, policy, stop);
  }
}

void CQuorvelDoc::BindOrders() {
  std::vector<double> weights(static_cast<size_t>(data->rowCount));
  for (int i = 0; i < data->rowCount; ++i)
    weights[static_cast<size_t>(i)] = data->RowWeight(i);
  rowOrder.Initialize(data->rowCount, &rowDistances, &data->rowLabels, weights);
  weights.assign(static_cast<size_t>(data->columnCount), 0.0);
  for (int j = 0; j < data->columnCount; ++j) {
    weights[static_cast<size_t>(j)] = data->ColumnWeight(j);
  }
  columnOrder.Initialize(data->columnCount, &columnDistances, &data->columnLabels, weights);
}

CViewModel& CQuorvelDoc::CreateView() {
  auto view = std::make_unique<CViewModel>(*this);
  if (firstView || currentView == nullptr) {
    view->rowTree = rowOrder;
    view->columnTree = columnOrder;
    view->rowTree.linkage = settings.AgregationCriterion;
    view->columnTree.linkage = settings.AgregationCriterion;
    {
      CStepTimer timer("first window R and S");
      view->ComputeObjectives();
    }
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

EDissimilarity CQuorvelDoc::Measure() const {
  return MeasureInForce(settings.DataType, settings.Dissimilarity);
}

void CQuorvelDoc::UpdateAllViews(bool fitFrame) {
  if (!host_) return;
  for (auto& view : views)
    host_->ViewChanged(*view, fitFrame);
}
