#pragma once

#include <span>
#include <string_view>

#include "base/Geometry.h"

// One table per choice set: each code with its command-line keywords, dialog caption and report
// labels side by side. The command line, the dialogs, the toolbars and the report read these.

struct CChoice {
  int code;
  const char* keyword;     // command-line keyword ("" when none selects it)
  const char* alias;       // second keyword ("" when none)
  const char* caption;     // dialog caption
  const char* label;       // long report label
  const char* shortLabel;  // status-bar label
};

// Data types (DataType).
std::span<const CChoice> DataTypeChoices();
// Numerical transformations and contingency representations (DataRepresentation).
std::span<const CChoice> NumericalRepresentationChoices();
std::span<const CChoice> ContingencyRepresentationChoices();
// Nominal display choices ("Same Color Levels…" 0, "Specific Color Levels…" 8).
std::span<const CChoice> NominalRepresentationChoices();
inline constexpr int kSpecificColorLevelsPerColumn = 8;
// Dissimilarities 1 to 10 (Dissimilarity).
std::span<const CChoice> DissimilarityChoices();
// Linkage rules 0 to 4 (AgregationCriterion).
std::span<const CChoice> LinkageChoices();
// Plain seriation rules 0, 1, 2, 3, 5, 6 (SetSeriationCriterion).
std::span<const CChoice> SeriationChoices();
// Tree seriation rules 0 to 4 (TreeSeriationCriterion).
std::span<const CChoice> TreeSeriationChoices();
// Export formats (ExportFileFormat): 1 clipboard, 2 JPEG, 3 PostScript, 4 BMP, 5 PNG, 6 PDF,
// 7 SVG.
struct CExportFormat {
  int code;
  const char* keyword;    // command-line keyword; the file formats take the file name as value
  const char* caption;    // export dialog caption
  const char* extension;  // "" for the clipboard
  const char* filter;     // save dialog filter
};
std::span<const CExportFormat> ExportFormats();
const CExportFormat* FindExportFormat(int code);

// The choice of `code` in `choices`, or nullptr.
const CChoice* FindChoice(std::span<const CChoice> choices, int code);

// Report labels. Unknown codes give "" (long) or " " (short seriation labels).
const char* LinkageLabel(int code);
const char* SeriationLabel(int code);  // −2 "several", 0–4, 6
const char* SeriationShortLabel(int code);
const char* DissimilarityLabel(int code);
const char* DissimilarityShortLabel(int code);
const char* TransformationLabel(int code);

// Dialog and keyword names of the colours and sizes of the display.
struct CNamedValue {
  const char* name;
  int value;
};
// Keyword words of "HighColor" / "LowColor" and their colour indices.
std::span<const CNamedValue> ScaleColorWords();
// Keyword words of "BkColor" and the background indices they set.
std::span<const CNamedValue> BackgroundWords();
// Cell-size presets ("narrowest" 1 … "huge" 48) and tree sizes ("normal" 10 … "huge" 40).
std::span<const CNamedValue> CellSizeWords();
std::span<const CNamedValue> TreeSizeWords();

// Scale colours of the Display dialog: item text, painted colour and channel switches.
struct CScaleColor {
  const char* name;
  ColorRef colorref;
  int red, green, blue;
};
std::span<const CScaleColor> ScaleColors();  // indices 0 to 6; 7 means "no colour"
inline constexpr int kNoScaleColor = 7;

struct CBackgroundColor {
  const char* name;
  ColorRef colorref;
};
std::span<const CBackgroundColor> BackgroundColors();  // indices 0 to 5

// Levels list of the Display dialog: item text and number of levels per side.
std::span<const CNamedValue> LevelChoices();  // indices 0 to 6

// Dissimilarity codes the treatment dialog offers for a data type (0 numerical … 3 contingency
// table), in list order; reading from files (10) is offered for every type.
std::span<const int> DissimilaritiesOfDataType(int dataType);
