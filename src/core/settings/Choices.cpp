// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Choices.h"

#include <array>

namespace {

constexpr unsigned kNumerical = DataTypeBit(EDataType::kNumerical);
constexpr unsigned kBinary = DataTypeBit(EDataType::kBinary);
constexpr unsigned kNominal = DataTypeBit(EDataType::kNominal);
constexpr unsigned kContingency = DataTypeBit(EDataType::kContingency);

using DataType = CChoice<EDataType>;
constexpr std::array kDataTypes{
    DataType{EDataType::kNumerical, "Numeric", "", "Numerical", "", ""},
    DataType{EDataType::kBinary, "Binary", "", "Binary", "", ""},
    DataType{EDataType::kNominal, "Nominal", "", "Nominal", "", ""},
    DataType{EDataType::kContingency, "Contingency", "", "Contingency table", "", "",
             kEveryDataType, true},
};

using Numerical = CChoice<ENumericalRepresentation>;
using enum ENumericalRepresentation;
constexpr std::array kNumericalRepresentations{
    Numerical{kOriginal, "OriginalData", "", "Original values", " Original values", "", kNumerical},
    Numerical{kCenterColumns, "MeanCenterColumns", "", "Mean center columns",
              " Mean center columns", "", kNumerical},
    Numerical{kCenterRows, "MeanCenterRows", "", "Mean center rows", " Mean center rows", "",
              kNumerical},
    Numerical{kNormalizeColumns, "NormalizeColums", "", "Normalize columns (Z-score scaling)",
              " Normalize columns (Z-score scaling)", "", kNumerical},
    Numerical{kNormalizeRows, "NormalizeRows", "", "Normalize rows (Z-score scaling)",
              " Normalize rows (Z-score scaling)", "", kNumerical},
    Numerical{kInteraction, "Interaction", "", "Interaction term", " Interaction term", "",
              kNumerical},
};

using Contingency = CChoice<EContingencyRepresentation>;
using enum EContingencyRepresentation;
constexpr std::array kContingencyRepresentations{
    Contingency{kChi2Contribution, "", "", "Chi2 contribution", "Chi2 contribution", "",
                kContingency},
    Contingency{kRowProfiles, "", "", "Row Profiles", "Row Profiles", "", kContingency},
    Contingency{kColumnProfiles, "", "", "Column Profiles", "Column Profiles", "", kContingency},
    Contingency{kCenteredRowProfiles, "", "", "Centered Row Profiles", "Centered Row Profiles", "",
                kContingency},
    Contingency{kCenteredColumnProfiles, "", "", "Centered Column Profiles",
                "Centered Column Profiles", "", kContingency},
};

using Nominal = CChoice<ENominalLevels>;
constexpr std::array kNominalRepresentations{
    Nominal{ENominalLevels::kSameForEveryColumn, "", "", "Same Color Levels for each columns", "",
            "", kNominal},
    Nominal{ENominalLevels::kPerColumn, "", "", "Specific Color Levels for each columns", "", "",
            kNominal},
};

using Measure = CChoice<EDissimilarity>;
using enum EDissimilarity;
constexpr std::array kDissimilarities{
    Measure{kEuclidean, "Euclidian", "", "Euclidean distance", "Euclidean distance", " Euclidean",
            kNumerical | kBinary},
    Measure{kPearson, "Pearson", "", "(1 - Pearson's correlation coefficient)",
            "(1 - Pearson's correlation coefficient)", " Pearson", kNumerical},
    Measure{kSquaredPearson, "SqaredPearson", "", "(1 - Pearson's Squared correlation coefficient)",
            "(1 - Pearson's Squared correlation coefficient)", " Pearson2", kNumerical},
    Measure{kJaccard, "Jaccard", "", "Jaccard similarity coefficient",
            "Jaccard similarity coefficient", " Jaccard", kBinary},
    Measure{kDice, "Dice", "", "Dice similarity coefficient", "Dice similarity coefficient",
            " Dice", kBinary},
    Measure{kHamming, "Hamming", "", "Hamming distance", "Hamming distance", " Hamming", kNominal},
    Measure{kManhattan, "Manhattan", "", "Manhattan distance", "Manhattan distance", " Manhattan",
            kNumerical | kBinary},
    Measure{kChebyshev, "Chebyshev", "", "Chebyshev distance", "Chebyshev distance", " Chebyshev",
            kNumerical},
    Measure{kChiSquare, "ChiSquare", "", "Chi-square distance", "Chi-square distance", " Chi2",
            kContingency, true},
    Measure{kFromFiles, "", "", "Read from files", "Readed distances.", " Read", kEveryDataType},
};

using Linkage = CChoice<ELinkage>;
constexpr std::array kLinkages{
    Linkage{ELinkage::kComplete, "CompletLinkage", "CL", "Complete Linkage (furthest neighbor)",
            " Complete linkage", ""},
    Linkage{ELinkage::kSingle, "SingleLinkage", "SL", "Single Linkage (nearest neighbor)",
            " Single linkage", ""},
    Linkage{ELinkage::kMcQuitty, "WPGMA", "", "McQuitty's method (WPGMA)", " McQuitty's criteria",
            ""},
    Linkage{ELinkage::kAverage, "UPGMA", "", "Average Linkage (UPGMA)", " Average linkage", ""},
    Linkage{ELinkage::kWard, "Ward", "", "Ward's Minimum Variance Method", " Ward's criteria", ""},
};

using Seriation = CChoice<ESeriation>;
constexpr std::array kSeriations{
    Seriation{ESeriation::kMultipleFragment, "SetSeriationByMF", "",
              "Multiple-fragment heuristic (MF)", " Multiple-fragment heuristic (MF)", " MF "},
    Seriation{ESeriation::kScaling, "SetSeriationByUDS", "", "Unidimensional Scaling (UDS)",
              " Unidimensional Scaling (UDS)", " UDS "},
    Seriation{ESeriation::kInertia, "SetSeriationByInertia", "", "Inertia around diagonal",
              " Inertia around diagonal ", " Inertia "},
    Seriation{ESeriation::kBipolarization, "SetSeriationByBipolarization", "", "Bipolarization",
              " Bipolarization", " Bipolarization"},
    Seriation{ESeriation::kCentroid, "SetSeriationByCentroide", "", "Centroid seriation", "", " "},
    Seriation{ESeriation::kFarthestAddition, "SetSeriationByFA", "",
              "Farthest Addition Heuristic (FA)", " Farthest Addition Heuristic (FA)", " FA "},
};

using TreeSeriation = CChoice<ETreeSeriation>;
constexpr std::array kTreeSeriations{
    TreeSeriation{ETreeSeriation::kMultipleFragment, "TreeSeriationByMF", "",
                  "Multiple-fragment heuristic (MF)", " Multiple-fragment heuristic (MF)", " MF "},
    TreeSeriation{ETreeSeriation::kScaling, "TreeSeriationByUDS", "",
                  "Unidimensional Scaling (UDS)", " Unidimensional Scaling (UDS)", " UDS "},
    TreeSeriation{ETreeSeriation::kInertia, "TreeSeriationByInertia", "", "Inertia around diagonal",
                  " Inertia around diagonal ", " Inertia "},
    TreeSeriation{ETreeSeriation::kBipolarization, "TreeSeriationByBipolarization", "",
                  "Bipolarization", " Bipolarization", " Bipolarization"},
    TreeSeriation{ETreeSeriation::kMinimumPath, "TreeSeriationByTSP", "",
                  "Minimum path length (TSP)", " Minimum path length (TSP)", " TSP "},
};

using Optimisation = CChoice<EOptimisation>;
constexpr std::array kOptimisations{
    Optimisation{EOptimisation::kNumeric, "NumericalOptimisation", "", "Numeric", "", ""},
    Optimisation{EOptimisation::kDiscrete, "DiscreteOptimisation", "", "Discrete", "", ""},
};

using ColorScale = CChoice<EColorScale>;
constexpr std::array kColorScales{
    ColorScale{EColorScale::kSigned, "signed", "", "Two colours (or the optical spectrum)", "", ""},
    ColorScale{EColorScale::kViridis, "viridis", "",
               "Viridis (from the lowest to the highest value)", "", "", kEveryDataType, true},
    ColorScale{EColorScale::kCividis, "cividis", "",
               "Cividis (from the lowest to the highest value)", "", "", kEveryDataType, true},
    ColorScale{EColorScale::kDiverging, "diverging", "", "Blue, white and red (centred on zero)",
               "", "", kEveryDataType, true},
};

constexpr std::array kExportFormats{
    CExportFormat{EExportFormat::kClipboard, "ExportScreenInClipBoard", "Save to Clipboard", "",
                  ""},
    CExportFormat{EExportFormat::kJpeg, "ExportScreenInJpegFile", "Export as Jpeg File  (*.jpg)",
                  ".jpg", "Bitmaps JPEG - jpg Files (*.jpg)|*.jpg|All Files (*.*)|*.*||"},
    CExportFormat{EExportFormat::kPostScript, "ExportScreenInPostScriptFile",
                  "Export as Posccript File  (*.ps)", ".ps",
                  "PostScript Files (*.ps;*.eps)|*.ps; *.eps|All Files (*.*)|*.*||"},
    CExportFormat{EExportFormat::kBmp, "ExportScreenInBmpFile", "Export as Bitmap File  (*.bmp)",
                  ".bmp", "Bitmaps BMP - bmp Files (*.bmp)|*.bmp|All Files (*.*)|*.*||"},
    CExportFormat{EExportFormat::kPng, "ExportScreenInPngFile", "Export as PNG File  (*.png)",
                  ".png", "PNG Files (*.png)|*.png|All Files (*.*)|*.*||", true},
    CExportFormat{EExportFormat::kPdf, "ExportScreenInPdfFile", "Export as PDF File  (*.pdf)",
                  ".pdf", "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*||", true},
    CExportFormat{EExportFormat::kSvg, "ExportScreenInSvgFile", "Export as SVG File  (*.svg)",
                  ".svg", "SVG Files (*.svg)|*.svg|All Files (*.*)|*.*||", true},
};

constexpr std::array kCellSizeWords{
    CNamedValue{"narrowest", kCellSizePresets[0]}, CNamedValue{"narrow", kCellSizePresets[1]},
    CNamedValue{"normal", kCellSizePresets[2]},    CNamedValue{"wide", kCellSizePresets[3]},
    CNamedValue{"huge", kCellSizePresets[4]},
};

constexpr std::array kTreeSizeWords{
    CNamedValue{"normal", 10},
    CNamedValue{"wide", 20},
    CNamedValue{"huge", 40},
};

// The first seven have an item in the Display dialog.
constexpr std::array kScaleColors{
    CScaleColor{0, "red", "Red", Rgb(255, 0, 0), 1, 0, 0},
    CScaleColor{1, "yellow", "Yellow", Rgb(255, 255, 0), 1, 1, 0},
    CScaleColor{2, "green", "Green", Rgb(0, 255, 0), 0, 1, 0},
    CScaleColor{3, "cyan", "Cyan", Rgb(0, 255, 255), 0, 1, 1},
    CScaleColor{4, "blue", "Blue", Rgb(0, 0, 255), 0, 0, 1},
    CScaleColor{5, "magenta", "Magenta", Rgb(255, 0, 255), 1, 0, 1},
    CScaleColor{6, "grey", "Grey", Rgb(235, 235, 235), 1, 1, 1},
    CScaleColor{kNoScaleColor, "white", "", Rgb(255, 255, 255), 0, 0, 0},
    CScaleColor{8, "black", "", Rgb(0, 0, 0), 0, 0, 0},
};
constexpr size_t kScaleColorItems = 7;

constexpr std::array kBackgroundColors{
    CBackgroundColor{0, "white", "White", Rgb(255, 255, 255)},
    CBackgroundColor{1, "grey", "Black", Rgb(0, 0, 0)},
    CBackgroundColor{2, "black", "Grey", Rgb(235, 235, 235)},
    CBackgroundColor{3, "red", "Ivory", Rgb(250, 240, 230)},
    CBackgroundColor{4, "green", "Red-Grey", Rgb(200, 150, 150)},
    CBackgroundColor{5, "blue", "Pale Green", Rgb(180, 255, 180)},
};

constexpr std::array kLevels{
    CNamedValue{"256", 255}, CNamedValue{"32", 32}, CNamedValue{"9", 9}, CNamedValue{"5", 5},
    CNamedValue{"3", 3},     CNamedValue{"2", 2},   CNamedValue{"1", 1},
};

template <typename E>
const char* LabelOf(std::span<const CChoice<E>> choices, E code, const char* fallback) {
  const CChoice<E>* choice = FindChoice(choices, code);
  return choice ? choice->label : fallback;
}

template <typename E>
const char* ShortLabelOf(std::span<const CChoice<E>> choices, E code, const char* fallback) {
  const CChoice<E>* choice = FindChoice(choices, code);
  return choice ? choice->shortLabel : fallback;
}

}  // namespace

std::span<const CChoice<EDataType>> DataTypeChoices() {
  return kDataTypes;
}
std::span<const CChoice<ENumericalRepresentation>> NumericalRepresentationChoices() {
  return kNumericalRepresentations;
}
std::span<const CChoice<EContingencyRepresentation>> ContingencyRepresentationChoices() {
  return kContingencyRepresentations;
}
std::span<const CChoice<ENominalLevels>> NominalRepresentationChoices() {
  return kNominalRepresentations;
}
std::span<const CChoice<EDissimilarity>> DissimilarityChoices() {
  return kDissimilarities;
}
std::span<const CChoice<ELinkage>> LinkageChoices() {
  return kLinkages;
}
std::span<const CChoice<ESeriation>> SeriationChoices() {
  return kSeriations;
}
std::span<const CChoice<ETreeSeriation>> TreeSeriationChoices() {
  return kTreeSeriations;
}
std::span<const CChoice<EOptimisation>> OptimisationChoices() {
  return kOptimisations;
}
std::span<const CChoice<EColorScale>> ColorScaleChoices() {
  return kColorScales;
}
std::span<const CExportFormat> ExportFormats() {
  return kExportFormats;
}

const CExportFormat* FindExportFormat(EExportFormat code) {
  for (const CExportFormat& format : kExportFormats) {
    if (format.code == code) return &format;
  }
  return nullptr;
}

const char* LinkageLabel(ELinkage code) {
  return LabelOf<ELinkage>(kLinkages, code, "");
}

// A mark holds a plain seriation code or a tree seriation code; both sets share their labels
// where their codes meet.
const char* SeriationLabel(int mark) {
  if (mark == kSeveralSeriationsMark) return " Several criteria used";
  if (const auto* plain = FindChoice<ESeriation>(kSeriations, ChoiceOf<ESeriation>(mark))) {
    return plain->label;
  }
  return LabelOf<ETreeSeriation>(kTreeSeriations, ChoiceOf<ETreeSeriation>(mark), "");
}

const char* SeriationShortLabel(int mark) {
  if (mark == kSeveralSeriationsMark) return " ";
  if (const auto* plain = FindChoice<ESeriation>(kSeriations, ChoiceOf<ESeriation>(mark))) {
    return plain->shortLabel;
  }
  return ShortLabelOf<ETreeSeriation>(kTreeSeriations, ChoiceOf<ETreeSeriation>(mark), " ");
}

const char* DissimilarityLabel(EDissimilarity code) {
  return LabelOf<EDissimilarity>(kDissimilarities, code, "");
}
const char* DissimilarityShortLabel(EDissimilarity code) {
  return ShortLabelOf<EDissimilarity>(kDissimilarities, code, "");
}
const char* TransformationLabel(int representation) {
  return LabelOf<ENumericalRepresentation>(kNumericalRepresentations,
                                           ChoiceOf<ENumericalRepresentation>(representation), "");
}

std::vector<EDissimilarity> DissimilaritiesOfDataType(EDataType dataType) {
  std::vector<EDissimilarity> codes;
  for (const CChoice<EDissimilarity>& measure : kDissimilarities) {
    if (measure.AppliesTo(dataType)) codes.push_back(measure.code);
  }
  // An unknown data type still offers the files.
  if (codes.empty()) codes.push_back(EDissimilarity::kFromFiles);
  return codes;
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
std::span<const CScaleColor> ScaleColorItems() {
  return std::span<const CScaleColor>(kScaleColors).first(kScaleColorItems);
}
const CScaleColor* FindScaleColor(int index) {
  for (const CScaleColor& color : kScaleColors) {
    if (color.index == index) return &color;
  }
  return nullptr;
}
std::span<const CBackgroundColor> BackgroundColors() {
  return kBackgroundColors;
}
std::span<const CNamedValue> LevelChoices() {
  return kLevels;
}
