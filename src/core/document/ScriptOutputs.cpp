// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ScriptOutputs.h"

#include <charconv>

#include "base/AtomicFile.h"
#include "base/Services.h"
#include "data/Data.h"
#include "document/AnalystFiles.h"
#include "document/PrototypeRows.h"
#include "document/QuorvelDoc.h"
#include "document/SelectedItems.h"
#include "document/ViewModel.h"
#include "settings/Choices.h"
#include "tree/NewickWriter.h"
#include "tree/TreeCut.h"

namespace {

std::string FullPrecision(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string Trimmed(const char* label) {
  std::string text(label);
  const size_t start = text.find_first_not_of(' ');
  const size_t end = text.find_last_not_of(' ');
  return start == std::string::npos ? std::string() : text.substr(start, end - start + 1);
}

std::string TransformationOf(const CQuorvelDoc& document) {
  const int code = document.settings.DataRepresentation;
  switch (document.data->DataType()) {
    case EDataType::kNumerical: {
      const auto* choice =
          FindChoice(NumericalRepresentationChoices(), ChoiceOf<ENumericalRepresentation>(code));
      return choice ? Trimmed(choice->label) : std::string();
    }
    case EDataType::kContingency: {
      const auto* choice = FindChoice(ContingencyRepresentationChoices(),
                                      ChoiceOf<EContingencyRepresentation>(code));
      return choice ? Trimmed(choice->label) : std::string();
    }
    case EDataType::kNominal: {
      const auto levels = code == CodeOf(ENominalLevels::kPerColumn)
                              ? ENominalLevels::kPerColumn
                              : ENominalLevels::kSameForEveryColumn;
      return FindChoice(NominalRepresentationChoices(), levels)->caption;
    }
    default:
      return "Original values";
  }
}

std::string SideLine(const char* name, CTree& side, const CQuorvelDoc& document) {
  std::string line = name;
  line += "\tR=";
  line += document.display.m_bShowObjectiveFunctionsValue ? FullPrecision(side.objectiveR)
                                                          : std::string("not computed");
  line += "\tS=" + FullPrecision(side.objectiveS);
  if (side.hasTree) {
    line += std::string("\tlinkage=") + Trimmed(LinkageLabel(side.linkage));
    const CMarkPair marks = side.CombineMarks(side.root);
    line += "\ttree seriation=" + Trimmed(SeriationLabel(marks.criterion));
    line += "\tseriation=" + Trimmed(SeriationLabel(marks.method));
  } else {
    line += "\tlinkage=\ttree seriation=";
    line += "\tseriation=" + Trimmed(SeriationLabel(side.orderMethodMark));
  }
  line += std::string("\tdissimilarity=") + DissimilarityLabel(document.Measure());
  line += "\ttransformation=" + TransformationOf(document);
  line += "\tsize=" + std::to_string(document.data->rowCount) + "x" +
          std::to_string(document.data->columnCount);
  line += "\n";
  return line;
}

bool Write(CQuorvelDoc& document, const std::string& path, const std::string& text) {
  std::string error;
  if (WriteFileAtomically(path, text, &error)) return true;
  document.Services().ShowMessageBox("The file " + path + " could not be written:\n" + error);
  return false;
}

bool WriteTree(CQuorvelDoc& document, const std::string& path, const CTree& side) {
  if (path.empty() || !side.hasTree) return true;
  CTree whole = side;
  whole.selectedNode = whole.root;
  const ENewickLengths lengths =
      document.settings.exactNewick ? ENewickLengths::kExact : ENewickLengths::kFixed;
  std::string reason;
  if (WriteNewick(whole, path, &reason, lengths)) return true;
  document.Services().ShowMessageBox("The file " + path + " could not be written:\n" + reason);
  return false;
}

bool WriteTsv(CQuorvelDoc& document, const std::string& path, CViewModel& view) {
  if (path.empty()) return true;
  std::vector<std::string> notices;
  const std::string text = FormatTsvTable(*document.data, view.rowTree, view.columnTree, &notices);
  for (const std::string& notice : notices)
    document.Services().ShowNotice("NOTICE", path + ": " + notice);
  return Write(document, path, text);
}

// Nothing is written for a side without a cut: the notice says why.
bool WriteClusters(CQuorvelDoc& document, const std::string& path, const CTree& side, bool rows) {
  if (path.empty()) return true;
  if (!HasCut(side)) {
    document.Services().ShowNotice(
        "NOTICE", path + " is not written: the " + (rows ? "rows'" : "columns'") +
                      " dendrogram was not cut (-Cut" + (rows ? "Row" : "Column") + "Tree N)");
    return true;
  }
  return Write(document, path, FormatClusterMemberships(side));
}

}  // namespace

std::string ReportText(const CQuorvelDoc& document, CViewModel& view) {
  return SideLine("rows", view.rowTree, document) + SideLine("columns", view.columnTree, document);
}

bool WriteScriptOutputs(CQuorvelDoc& document) {
  CViewModel* view = document.currentView;
  if (view == nullptr || !document.data) return true;
  const TreatmentSettings& settings = document.settings;
  bool ok = true;
  if (!settings.exportTableFileName.empty()) {
    ok &= Write(document, settings.exportTableFileName,
                FormatOrderedTable(*document.data, view->rowTree, view->columnTree));
  }
  ok &= WriteTsv(document, settings.exportTsvFileName, *view);
  ok &= WriteTree(document, settings.exportRowTreeFileName, view->rowTree);
  ok &= WriteTree(document, settings.exportColumnTreeFileName, view->columnTree);
  ok &= WriteClusters(document, settings.exportRowClustersFileName, view->rowTree, true);
  ok &= WriteClusters(document, settings.exportColumnClustersFileName, view->columnTree, false);
  if (!settings.exportReportFileName.empty()) {
    ok &= Write(document, settings.exportReportFileName, ReportText(document, *view));
  }
  if (!settings.exportRowPrototypesFileName.empty()) {
    ok &= Write(document, settings.exportRowPrototypesFileName,
                RowPrototypesText(*document.data, document.readRows));
  }
  return ok;
}
