// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/PictureInputOf.h"

#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"

namespace {

CReportSide ReportSideOf(const CTree& side) {
  CReportSide report;
  report.r = side.objectiveR;
  report.s = side.objectiveS;
  report.hasTree = side.hasTree && side.root != kNoNode;
  report.linkage = side.linkage;
  if (report.hasTree) {
    const CNode& root = side.Node(side.root);
    report.treeSeriationCode = root.criterionMark;
    report.seriationCode = root.methodMark;
  } else {
    report.seriationCode = side.orderMethodMark;
  }
  return report;
}

}  // namespace

CPictureInput MakePictureInput(CViewModel& view) {
  CQuorvelDoc& document = view.Document();
  CPictureInput input;
  input.data = document.data.get();
  input.rows = &view.rowTree;
  input.columns = &view.columnTree;
  input.display = &document.display;
  input.switches = document.switches;
  input.dataType = document.settings.DataType;
  input.dataRepresentation = document.settings.DataRepresentation;
  input.dissimilarity = document.Measure();
  input.sx = document.sx;
  input.sy = document.sy;
  input.zoom = view.zoom;
  input.fitToWindow = view.fitToWindow;
  CReportInput& report = input.report;
  report.showTopFrame = document.display.m_bShowTopFrame != 0;
  report.showObjectiveFunctions = document.display.m_bShowObjectiveFunctionsValue != 0;
  report.showCriteria = document.switches.criteria;
  report.showMetrics = document.switches.metrics;
  report.dissimilarity = document.Measure();
  report.rows = ReportSideOf(view.rowTree);
  report.columns = ReportSideOf(view.columnTree);
  input.path = document.pathName;
  if (document.rowAnnotations.Shown()) input.rowAnnotations = &document.rowAnnotations;
  if (document.columnAnnotations.Shown()) input.columnAnnotations = &document.columnAnnotations;
  return input;
}
