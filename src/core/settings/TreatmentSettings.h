#pragma once

#include <string>

class CDocumentContext;

// How a file is read and analysed. Field names are the names kept in the settings store.
// Codes: see Choices.h. A negative method code means "no method chosen".
struct TreatmentSettings {
  // Data group: decides how a file is read and prepared; fixed once a window exists.
  int DataType = 0;            // 0 numerical, 1 binary, 2 nominal, 3 contingency table
  int SeparateurBlanc = 1;     // the blank delimits cells of text files
  int TitleCol = 1;            // the first record holds the column titles
  int TitleRow = 1;            // the first position of each record holds the row title
  int DataRepresentation = 0;  // transformation or representation of the values
  int Dissimilarity = 1;       // 1 to 10
  std::string RowDissimilarityFileName;
  std::string ColDissimilarityFileName;
  int ShowWindowsOptionsDlgAtStartTime = 1;

  // Treatment group.
  int Improve = 1;  // 2-opt after MF and FA
  int AgregationCriterion = 2;
  int SetSeriationCriterion = 0;
  int SeriationOptimMethode = 0;  // 0 numeric, 1 discrete
  int TreeSeriationCriterion = 0;
  int ClusteringAutomationCol = 0;
  int ClusteringAutomationRow = 0;
  int SeriationAutomationCol = 0;
  int SeriationAutomationRow = 0;
  int AutomationCol = 0;
  int AutomationRow = 0;
  int FullScreen = 0;          // not stored
  int ExportFileFormat = 1;    // 1 clipboard, 2 JPEG, 3 PostScript, 4 BMP (and PNG, PDF)
  std::string exportFileName;  // named on the command line; not stored
  int Exit = 0;                // not stored
  // Results a script asks for on the command line, written at the end of the automatic
  // treatment (not stored): the reordered table, the two trees and a text report.
  std::string exportTableFileName;
  std::string exportRowTreeFileName;
  std::string exportColumnTreeFileName;
  std::string exportReportFileName;

  CDocumentContext* document = nullptr;  // back pointer to the owning document; not a setting
};
