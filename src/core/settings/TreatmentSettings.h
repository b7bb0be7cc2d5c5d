// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "settings/Choices.h"

// A picture file the command line asks for beside the export of ExportFileFormat: its format and
// the file name it is written to, exactly.
struct CPictureExportRequest {
  EExportFormat format = EExportFormat::kClipboard;
  std::string fileName;
  bool operator==(const CPictureExportRequest&) const = default;
};

// How a file is read and analysed. Field names are the names kept in the settings store; each
// choice holds its stored code (see Choices.h), a negative method code meaning "no method
// chosen".
struct TreatmentSettings {
  // Data group: decides how a file is read and prepared; fixed once a window exists.
  EDataType DataType = EDataType::kNumerical;
  int SeparateurBlanc = 1;     // the blank delimits cells of text files
  int TitleCol = 1;            // the first record holds the column titles
  int TitleRow = 1;            // the first position of each record holds the row title
  int DataRepresentation = 0;  // transformation or representation of the values, by data type
  EDissimilarity Dissimilarity = EDissimilarity::kEuclidean;
  std::string RowDissimilarityFileName;
  std::string ColDissimilarityFileName;
  // Numerical rows beyond this many are replaced at the load by as many weighted prototypes
  // (0: the rows as read); not stored.
  int Prototypes = 0;
  int ShowWindowsOptionsDlgAtStartTime = 1;

  // Treatment group.
  int Improve = 1;  // 2-opt after MF and FA
  ELinkage AgregationCriterion = ELinkage::kMcQuitty;
  ESeriation SetSeriationCriterion = ESeriation::kMultipleFragment;
  EOptimisation SeriationOptimMethode = EOptimisation::kNumeric;
  ETreeSeriation TreeSeriationCriterion = ETreeSeriation::kMultipleFragment;
  int ClusteringAutomationCol = 0;
  int ClusteringAutomationRow = 0;
  int SeriationAutomationCol = 0;
  int SeriationAutomationRow = 0;
  int AutomationCol = 0;
  int AutomationRow = 0;
  int FullScreen = 0;  // not stored
  EExportFormat ExportFileFormat = EExportFormat::kClipboard;
  std::string exportFileName;  // named on the command line; not stored
  // Resolution of the PNG, JPEG and BMP exports in dots per inch (not stored); 0: the screen's.
  int exportDotsPerInch = 0;
  int Exit = 0;  // not stored
  // Results a script asks for on the command line, written at the end of the automatic
  // treatment (not stored): the reordered table, the two trees and a text report.
  std::string exportTableFileName;
  std::string exportRowTreeFileName;
  std::string exportColumnTreeFileName;
  std::string exportReportFileName;
  // The same for analysts' tools: the table in display order for pandas and R, the clusters of
  // each side's cut, and Newick lengths that read back to the same doubles.
  std::string exportTsvFileName;
  std::string exportRowClustersFileName;
  std::string exportColumnClustersFileName;
  int exactNewick = 0;
  // The number of clusters each side's dendrogram is cut into after its automatic clustering
  // (0: no cut; not stored).
  int cutRowTree = 0;
  int cutColumnTree = 0;
  // Picture keywords beyond the one ExportFileFormat names, each written to its own file after
  // it at the end of the automatic treatment (not stored).
  std::vector<CPictureExportRequest> furtherPictureExports;
  // The file that lists each row read with its prototype.
  std::string exportRowPrototypesFileName;
  // Annotation files of the rows and the columns, shown as tracks beside the matrix (not
  // stored).
  std::string rowAnnotationsFileName;
  std::string columnAnnotationsFileName;

  bool operator==(const TreatmentSettings&) const = default;
};
