#include "settings/Choices.h"

#include <array>

namespace {

constexpr std::array kDataTypes{
    CChoice{0, "Numeric", "", "Numerical", "", ""},
    CChoice{1, "Binary", "", "Binary", "", ""},
    CChoice{2, "Nominal", "", "Nominal", "", ""},
    CChoice{3, "", "", "Contingency table", "", ""},
};

constexpr std::array kNumericalRepresentations{
    CChoice{0, "OriginalData", "", "Original values", " Original values", ""},
    CChoice{1, "MeanCenterColumns", "", "Mean center columns", " Mean center columns", ""},
    CChoice{2, "MeanCenterRows", "", "Mean center rows", " Mean center rows", ""},
    CChoice{3, "NormalizeColums", "", "Normalize columns (Z-score scaling)",
            " Normalize columns (Z-score scaling)", ""},
    CChoice{4, "NormalizeRows", "", "Normalize rows (Z-score scaling)",
            " Normalize rows (Z-score scaling)", ""},
    CChoice{5, "Interaction", "", "Interaction term", " Interaction term", ""},
};

constexpr std::array kContingencyRepresentations{
    CChoice{0, "", "", "Chi2 contribution", "Chi2 contribution", ""},
    CChoice{1, "", "", "Row Profiles", "Row Profiles", ""},
    CChoice{2, "", "", "Column Profiles", "Column Profiles", ""},
    CChoice{3, "", "", "Centered Row Profiles", "Centered Row Profiles", ""},
    CChoice{4, "", "", "Centered Column Profiles", "Centered Column Profiles", ""},
};

constexpr std::array kNominalRepresentations{
    CChoice{0, "", "", "Same Color Levels for each columns", "", ""},
    CChoice{kSpecificColorLevelsPerColumn, "", "", "Specific Color Levels for each columns", "",
            ""},
};

constexpr std::array kDissimilarities{
    CChoice{1, "Euclidian", "", "Euclidean distance", "Euclidean distance", " Euclidean"},
    CChoice{2, "Pearson", "", "(1 - Pearson's correlation coefficient)",
            "(1 - Pearson's correlation coefficient)", " Pearson"},
    CChoice{3, "SqaredPearson", "", "(1 - Pearson's Squared correlation coefficient)",
            "(1 - Pearson's Squared correlation coefficient)", " Pearson2"},
    CChoice{4, "Jaccard", "", "Jaccard similarity coefficient", "Jaccard similarity coefficient",
            " Jaccard"},
    CChoice{5, "Dice", "", "Dice similarity coefficient", "Dice similarity coefficient", " Dice"},
    CChoice{6, "Hamming", "", "Hamming distance", "Hamming distance", " Hamming"},
    CChoice{7, "Manhattan", "", "Manhattan distance", "Manhattan distance", " Manhattan"},
    CChoice{8, "Chebyshev", "", "Chebyshev distance", "Chebyshev distance", " Chebyshev"},
    CChoice{9, "", "", "Chi-square distance", "Chi-square distance", " Chi2"},
    CChoice{10, "", "", "Read from files", "Readed distances.", " Read"},
};

constexpr std::array kLinkages{
    CChoice{0, "CompletLinkage", "CL", "Complete Linkage (furthest neighbor)", " Complete linkage",
            ""},
    CChoice{1, "SingleLinkage", "SL", "Single Linkage (nearest neighbor)", " Single linkage", ""},
    CChoice{2, "WPGMA", "", "McQuitty's method (WPGMA)", " McQuitty's criteria", ""},
    CChoice{3, "UPGMA", "", "Average Linkage (UPGMA)", " Average linkage", ""},
    CChoice{4, "Ward", "", "Ward's Minimum Variance Method", " Ward's criteria", ""},
};

constexpr std::array kSeriations{
    CChoice{0, "SetSeriationByMF", "", "Multiple-fragment heuristic (MF)",
            " Multiple-fragment heuristic (MF)", " MF "},
    CChoice{1, "SetSeriationByUDS", "", "Unidimensional Scaling (UDS)",
            " Unidimensional Scaling (UDS)", " UDS "},
    CChoice{2, "SetSeriationByInertia", "", "Inertia around diagonal", " Inertia around diagonal ",
            " Inertia "},
    CChoice{3, "SetSeriationByBipolarization", "", "Bipolarization", " Bipolarization",
            " Bipolarization"},
    CChoice{5, "SetSeriationByCentroide", "", "Centroid seriation", "", " "},
    CChoice{6, "SetSeriationByFA", "", "Farthest Addition Heuristic (FA)",
            " Farthest Addition Heuristic (FA)", " FA "},
};

constexpr std::array kTreeSeriations{
    CChoice{0, "TreeSeriationByMF", "", "Multiple-fragment heuristic (MF)",
            " Multiple-fragment heuristic (MF)", " MF "},
    CChoice{1, "TreeSeriationByUDS", "", "Unidimensional Scaling (UDS)",
            " Unidimensional Scaling (UDS)", " UDS "},
    CChoice{2, "TreeSeriationByInertia", "", "Inertia around diagonal", " Inertia around diagonal ",
            " Inertia "},
    CChoice{3, "TreeSeriationByBipolarization", "", "Bipolarization", " Bipolarization",
            " Bipolarization"},
    CChoice{4, "TreeSeriationByTSP", "", "Minimum path length (TSP)", " Minimum path length (TSP)",
            " TSP "},
};

// Seriation labels of the report, shared by plain and tree seriation codes.
constexpr std::array kSeriationLabels{
    CChoice{-2, "", "", "", " Several criteria used", " "},
    CChoice{0, "", "", "", " Multiple-fragment heuristic (MF)", " MF "},
    CChoice{1, "", "", "", " Unidimensional Scaling (UDS)", " UDS "},
    CChoice{2, "", "", "", " Inertia around diagonal ", " Inertia "},
    CChoice{3, "", "", "", " Bipolarization", " Bipolarization"},
    CChoice{4, "", "", "", " Minimum path length (TSP)", " TSP "},
    CChoice{6, "", "", "", " Farthest Addition Heuristic (FA)", " FA "},
};

constexpr std::array kExportFormats{
    CExportFormat{1, "ExportScreenInClipBoard", "Save to Clipboard", "", ""},
    CExportFormat{2, "ExportScreenInJpegFile", "Export as Jpeg File  (*.jpg)", ".jpg",
                  "Bitmaps JPEG - jpg Files (*.jpg)|*.jpg|All Files (*.*)|*.*||"},
    CExportFormat{3, "ExportScreenInPostScriptFile", "Export as Posccript File  (*.ps)", ".ps",
                  "PostScript Files (*.ps;*.eps)|*.ps; *.eps|All Files (*.*)|*.*||"},
    CExportFormat{4, "ExportScreenInBmpFile", "Export as Bitmap File  (*.bmp)", ".bmp",
                  "Bitmaps BMP - bmp Files (*.bmp)|*.bmp|All Files (*.*)|*.*||"},
    CExportFormat{5, "ExportScreenInPngFile", "Export as PNG File  (*.png)", ".png",
                  "PNG Files (*.png)|*.png|All Files (*.*)|*.*||"},
    CExportFormat{6, "ExportScreenInPdfFile", "Export as PDF File  (*.pdf)", ".pdf",
                  "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*||"},
    CExportFormat{7, "ExportScreenInSvgFile", "Export as SVG File  (*.svg)", ".svg",
                  "SVG Files (*.svg)|*.svg|All Files (*.*)|*.*||"},
};

constexpr std::array kScaleColorWords{
    CNamedValue{"red", 0},  CNamedValue{"yellow", 1}, CNamedValue{"green", 2},
    CNamedValue{"cyan", 3}, CNamedValue{"blue", 4},   CNamedValue{"magenta", 5},
    CNamedValue{"grey", 6}, CNamedValue{"white", 7},  CNamedValue{"black", 8},
};

constexpr std::array kBackgroundWords{
    CNamedValue{"white", 0}, CNamedValue{"grey", 1},  CNamedValue{"black", 2},
    CNamedValue{"red", 3},   CNamedValue{"green", 4}, CNamedValue{"blue", 5},
};

constexpr std::array kCellSizeWords{
    CNamedValue{"narrowest", 1}, CNamedValue{"narrow", 6}, CNamedValue{"normal", 12},
    CNamedValue{"wide", 24},     CNamedValue{"huge", 48},
};

constexpr std::array kTreeSizeWords{
    CNamedValue{"normal", 10},
    CNamedValue{"wide", 20},
    CNamedValue{"huge", 40},
};

constexpr std::array kScaleColors{
    CScaleColor{"Red", Rgb(255, 0, 0), 1, 0, 0},
    CScaleColor{"Yellow", Rgb(255, 255, 0), 1, 1, 0},
    CScaleColor{"Green", Rgb(0, 255, 0), 0, 1, 0},
    CScaleColor{"Cyan", Rgb(0, 255, 255), 0, 1, 1},
    CScaleColor{"Blue", Rgb(0, 0, 255), 0, 0, 1},
    CScaleColor{"Magenta", Rgb(255, 0, 255), 1, 0, 1},
    CScaleColor{"Grey", Rgb(235, 235, 235), 1, 1, 1},
};

constexpr std::array kBackgroundColors{
    CBackgroundColor{"White", Rgb(255, 255, 255)},
    CBackgroundColor{"Black", Rgb(0, 0, 0)},
    CBackgroundColor{"Grey", Rgb(235, 235, 235)},
    CBackgroundColor{"Ivory", Rgb(250, 240, 230)},
    CBackgroundColor{"Red-Grey", Rgb(200, 150, 150)},
    CBackgroundColor{"Pale Green", Rgb(180, 255, 180)},
};

constexpr std::array kLevels{
    CNamedValue{"256", 255}, CNamedValue{"32", 32}, CNamedValue{"9", 9}, CNamedValue{"5", 5},
    CNamedValue{"3", 3},     CNamedValue{"2", 2},   CNamedValue{"1", 1},
};

const char* LabelOf(std::span<const CChoice> choices, int code, const char* fallback) {
  const CChoice* choice = FindChoice(choices, code);
  return choice ? choice->label : fallback;
}

const char* ShortLabelOf(std::span<const CChoice> choices, int code, const char* fallback) {
  const CChoice* choice = FindChoice(choices, code);
  return choice ? choice->shortLabel : fallback;
}

}  // namespace

std::span<const CChoice> DataTypeChoices() {
  return kDataTypes;
}
std::span<const CChoice> NumericalRepresentationChoices() {
  return kNumericalRepresentations;
}
std::span<const CChoice> ContingencyRepresentationChoices() {
  return kContingencyRepresentations;
}
std::span<const CChoice> NominalRepresentationChoices() {
  return kNominalRepresentations;
}
std::span<const CChoice> DissimilarityChoices() {
  return kDissimilarities;
}
std::span<const CChoice> LinkageChoices() {
  return kLinkages;
}
std::span<const CChoice> SeriationChoices() {
  return kSeriations;
}
std::span<const CChoice> TreeSeriationChoices() {
  return kTreeSeriations;
}
std::span<const CExportFormat> ExportFormats() {
  return kExportFormats;
}

const CExportFormat* FindExportFormat(int code) {
  for (const CExportFormat& format : kExportFormats) {
    if (format.code == code) return &format;
  }
  return nullptr;
}

const CChoice* FindChoice(std::span<const CChoice> choices, int code) {
  for (const CChoice& choice : choices) {
    if (choice.code == code) return &choice;
  }
  return nullptr;
}

const char* LinkageLabel(int code) {
  return LabelOf(kLinkages, code, "");
}
const char* SeriationLabel(int code) {
  return LabelOf(kSeriationLabels, code, "");
}
const char* SeriationShortLabel(int code) {
  return ShortLabelOf(kSeriationLabels, code, " ");
}
const char* DissimilarityLabel(int code) {
  return LabelOf(kDissimilarities, code, "");
}
const char* DissimilarityShortLabel(int code) {
  return ShortLabelOf(kDissimilarities, code, "");
}
const char* TransformationLabel(int code) {
  return LabelOf(kNumericalRepresentations, code, "");
}

std::span<const CNamedValue> ScaleColorWords() {
  return kScaleColorWords;
}
std::span<const CNamedValue> BackgroundWords() {
  return kBackgroundWords;
}
std::span<const CNamedValue> CellSizeWords() {
  return kCellSizeWords;
}
std::span<const CNamedValue> TreeSizeWords() {
  return kTreeSizeWords;
}
std::span<const CScaleColor> ScaleColors() {
  return kScaleColors;
}
std::span<const CBackgroundColor> BackgroundColors() {
  return kBackgroundColors;
}
std::span<const CNamedValue> LevelChoices() {
  return kLevels;
}

std::span<const int> DissimilaritiesOfDataType(int dataType) {
  static constexpr int kNumerical[] = {1, 2, 3, 7, 8, 10};
  static constexpr int kBinary[] = {1, 4, 5, 7, 10};
  static constexpr int kNominal[] = {6, 10};
  static constexpr int kContingency[] = {9, 10};
  static constexpr int kOther[] = {10};
  switch (dataType) {
    case 0:
      return kNumerical;
    case 1:
      return kBinary;
    case 2:
      return kNominal;
    case 3:
      return kContingency;
    default:
      return kOther;
  }
}
