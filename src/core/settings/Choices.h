// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "base/Geometry.h"

// The choice sets of the settings: one enum per set, whose values are the codes kept in the
// settings store, and one registry row per choice with its keywords, captions, report labels and
// the data types it applies to. The command line, the dialogs, the toolbars, the report and the
// help read the rows; the layers that carry a choice's behaviour keep their own registry keyed by
// the same enum (measures in dissimilarity/, seriation methods in seriation/, colour scales in
// render/, picture writers registered by the adapters).
//
// A stored code need not be one of the enumerators: the store is not range-checked, and each
// layer treats an unknown code as it always did (for instance a measure a data type does not
// implement leaves its matrix at 0). A negative method code means "no method chosen".

enum class EDataType : int { kNumerical = 0, kBinary = 1, kNominal = 2, kContingency = 3 };

enum class EDissimilarity : int {
  kEuclidean = 1,
  kPearson = 2,
  kSquaredPearson = 3,
  kJaccard = 4,
  kDice = 5,
  kHamming = 6,
  kManhattan = 7,
  kChebyshev = 8,
  kChiSquare = 9,
  kFromFiles = 10,
};

enum class ELinkage : int {
  kComplete = 0,
  kSingle = 1,
  kMcQuitty = 2,  // WPGMA
  kAverage = 3,   // UPGMA
  kWard = 4,
};

enum class ESeriation : int {
  kMultipleFragment = 0,
  kScaling = 1,  // unidimensional scaling (UDS)
  kInertia = 2,
  kBipolarization = 3,
  kCentroid = 5,
  kFarthestAddition = 6,
};

enum class ETreeSeriation : int {
  kMultipleFragment = 0,
  kScaling = 1,
  kInertia = 2,
  kBipolarization = 3,
  kMinimumPath = 4,  // the travelling-salesman criterion (TSP)
};

enum class EOptimisation : int { kNumeric = 0, kDiscrete = 1 };

enum class EExportFormat : int {
  kClipboard = 1,
  kJpeg = 2,
  kPostScript = 3,
  kBmp = 4,
  kPng = 5,
  kPdf = 6,
  kSvg = 7,
};

// The colour scale of the heat map: the signed scale of the Display dialog (two colours, or the
// optical spectrum) or a scale sampled from a published colour map: viridis and cividis
// (perceptually uniform, readable with colour-blindness) over the data's range, or blue, white
// and red centred on zero for centred or standardised data.
enum class EColorScale : int { kSigned = 0, kViridis = 1, kCividis = 2, kDiverging = 3 };

// DataRepresentation holds one of three sets, by data type.
enum class ENumericalRepresentation : int {
  kOriginal = 0,
  kCenterColumns = 1,
  kCenterRows = 2,
  kNormalizeColumns = 3,
  kNormalizeRows = 4,
  kInteraction = 5,
};
enum class EContingencyRepresentation : int {
  kChi2Contribution = 0,
  kRowProfiles = 1,
  kColumnProfiles = 2,
  kCenteredRowProfiles = 3,
  kCenteredColumnProfiles = 4,
};
enum class ENominalLevels : int { kSameForEveryColumn = 0, kPerColumn = 8 };

// The stored code of a choice, and a choice from a stored code.
template <typename E>
constexpr int CodeOf(E choice) {
  return static_cast<int>(choice);
}
template <typename E>
constexpr E ChoiceOf(int code) {
  return static_cast<E>(code);
}
// A method code below 0 means that no method is chosen.
template <typename E>
constexpr bool IsChosen(E choice) {
  return static_cast<int>(choice) >= 0;
}

// The data types a choice applies to, as a mask of DataTypeBit values.
constexpr unsigned DataTypeBit(EDataType type) {
  return 1u << static_cast<unsigned>(type);
}
inline constexpr unsigned kEveryDataType = 0xFu;

template <typename E>
struct CChoice {
  E code;
  const char* keyword;     // command-line keyword ("" when none selects it)
  const char* alias;       // second keyword ("" when none)
  const char* caption;     // dialog caption
  const char* label;       // long report label
  const char* shortLabel;  // status-bar label
  unsigned dataTypes = kEveryDataType;
  // The keyword goes beyond the historical keyword set.
  bool keywordAdded = false;

  bool AppliesTo(EDataType type) const { return (dataTypes & DataTypeBit(type)) != 0; }
};

// The row of `code` in `choices`, or nullptr.
template <typename E>
const CChoice<E>* FindChoice(std::span<const CChoice<E>> choices, E code) {
  for (const CChoice<E>& choice : choices) {
    if (choice.code == code) return &choice;
  }
  return nullptr;
}

std::span<const CChoice<EDataType>> DataTypeChoices();
std::span<const CChoice<ENumericalRepresentation>> NumericalRepresentationChoices();
std::span<const CChoice<EContingencyRepresentation>> ContingencyRepresentationChoices();
// "Same Color Levels…" and "Specific Color Levels…".
std::span<const CChoice<ENominalLevels>> NominalRepresentationChoices();
// Each measure with the data types that implement it; reading from files applies to every type.
std::span<const CChoice<EDissimilarity>> DissimilarityChoices();
std::span<const CChoice<ELinkage>> LinkageChoices();
// Plain seriation rules 0, 1, 2, 3, 5, 6; the dialog offers 0 to 3 only.
std::span<const CChoice<ESeriation>> SeriationChoices();
std::span<const CChoice<ETreeSeriation>> TreeSeriationChoices();
std::span<const CChoice<EOptimisation>> OptimisationChoices();
std::span<const CChoice<EColorScale>> ColorScaleChoices();

// Export formats: 1 clipboard, 2 JPEG, 3 PostScript, 4 BMP, 5 PNG, 6 PDF, 7 SVG.
struct CExportFormat {
  EExportFormat code;
  const char* keyword;    // command-line keyword; the file formats take the file name as value
  const char* caption;    // export dialog caption
  const char* extension;  // "" for the clipboard
  const char* filter;     // save dialog filter
  // The keyword writes exactly the name given; otherwise the name is cut at the first point of
  // its file name and given the extension.
  bool keepsGivenName = false;
};
std::span<const CExportFormat> ExportFormats();
const CExportFormat* FindExportFormat(EExportFormat code);

// Report labels. Unknown codes give "" (long) or " " (short seriation labels).
const char* LinkageLabel(ELinkage code);
// Seriation marks of the report: a plain or tree seriation code, or −2 for "several".
inline constexpr int kSeveralSeriationsMark = -2;
const char* SeriationLabel(int mark);
const char* SeriationShortLabel(int mark);
const char* DissimilarityLabel(EDissimilarity code);
const char* DissimilarityShortLabel(EDissimilarity code);
const char* TransformationLabel(int representation);

// The dissimilarity codes the treatment dialog offers for a data type, in list order.
std::vector<EDissimilarity> DissimilaritiesOfDataType(EDataType dataType);

// Display choices: named values of the keywords and the dialog lists.
struct CNamedValue {
  const char* name;
  int value;
};
// Cell-size presets ("narrowest" 1 … "huge" 48) and tree sizes ("normal" 10 … "huge" 40).
std::span<const CNamedValue> CellSizeWords();
std::span<const CNamedValue> TreeSizeWords();
// The cell-size presets of the menus and toolbars, smallest first.
inline constexpr int kCellSizePresets[] = {1, 6, 12, 24, 48};

// Scale colours (m_intColorHighValue, m_intColorLowValue): the keyword word, the Display
// dialog's item (none for the indices without an item) with the colour it is painted in, and the
// channel switches of the heat map. Index 7 means "no colour".
struct CScaleColor {
  int index;
  const char* word;  // value of the keywords "HighColor" and "LowColor"
  const char* name;  // dialog item; "" when the dialog has none
  ColorRef colorref;
  int red, green, blue;
};
std::span<const CScaleColor> ScaleColors();      // every index a keyword can set, 0 to 8
std::span<const CScaleColor> ScaleColorItems();  // the dialog's items, indices 0 to 6
inline constexpr int kNoScaleColor = 7;
// The row of `index`, or nullptr.
const CScaleColor* FindScaleColor(int index);

// Background colours (BkColor): the dialog item and its colour, and the word of the keyword
// "BkColor" that sets the index (the words do not name the colours at their places).
struct CBackgroundColor {
  int index;
  const char* word;
  const char* name;
  ColorRef colorref;
};
std::span<const CBackgroundColor> BackgroundColors();  // indices 0 to 5

// Levels list of the Display dialog: item text and number of levels per side.
std::span<const CNamedValue> LevelChoices();  // indices 0 to 6
