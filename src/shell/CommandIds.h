// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Command numbers of the desktop program. The analysis, display and file commands keep the
// program's historic numbers; commands that never had one take numbers of their own from 33000
// (a range no historic number uses).
namespace cmd {

// File.
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kPrint = 57607;
inline constexpr int kExport = 32858;

// Clustering and seriation.
inline constexpr int kClusterRows = 32777;
inline constexpr int kClusterColumns = 32778;
inline constexpr int kSeriateRows = 32775;
inline constexpr int kSeriateColumns = 32771;
inline constexpr int kClusterActiveSide = 153;
inline constexpr int kSeriateActiveSide = 151;
inline constexpr int kClusterSeriateActiveSide = 155;
inline constexpr int kClusterSeriateRows = 147;
inline constexpr int kClusterSeriateColumns = 144;
inline constexpr int kClusterSeriateBothSides = 149;
inline constexpr int kNonlinearRows = 170;
inline constexpr int kNonlinearColumns = 171;

// Tree editing, sorting and shuffling.
inline constexpr int kFlipRows = 32787;
inline constexpr int kFlipColumns = 32788;
inline constexpr int kSwapRows = 32790;
inline constexpr int kSwapColumns = 32791;
inline constexpr int kRandomiseRows = 32784;
inline constexpr int kRandomiseColumns = 32785;
inline constexpr int kSortRows = 32810;
inline constexpr int kSortColumns = 32811;

// Display switches.
inline constexpr int kAverageProfile = 32831;
inline constexpr int kLabels = 32813;
inline constexpr int kDataValues = 32837;
inline constexpr int kMetrics = 32850;
inline constexpr int kCriteria = 32846;
inline constexpr int kTreeOfRows = 32847;
inline constexpr int kTreeOfColumns = 32848;
inline constexpr int kDataMatrix = 32849;
inline constexpr int kLabelsOfRows = 32852;
inline constexpr int kLabelsOfColumns = 32853;
inline constexpr int kObjectiveFunctions = 32840;
inline constexpr int kColorsScale = 32841;
inline constexpr int kTopFrame = 32896;

// Zoom and the main window.
inline constexpr int kZoomIn = 32865;
inline constexpr int kZoomOut = 32867;
inline constexpr int kZoomDelete = 32866;
inline constexpr int kFitToWindow = 32863;
inline constexpr int kFullScreen = 169;
inline constexpr int kLeaveFullScreen = 159;
inline constexpr int kCustomMatrixSize = 168;

// Settings and help.
inline constexpr int kSettings = 32803;
inline constexpr int kFormat = 32776;
inline constexpr int kAbout = 57664;

// Commands numbered here.
inline constexpr int kAggregateRows = 33001;
inline constexpr int kAggregateColumns = 33002;
inline constexpr int kSaveRowTree = 33003;
inline constexpr int kSaveColumnTree = 33004;
inline constexpr int kPrintPreview = 33005;
inline constexpr int kHelpHomePage = 33006;
inline constexpr int kHelpGuidePage = 33007;
inline constexpr int kExit = 33008;
inline constexpr int kBrowseDataValues = 33009;
inline constexpr int kClustersIdentification = 33010;
inline constexpr int kStatusBar = 33011;
inline constexpr int kCutTree = 33012;
inline constexpr int kSaveTreeClusters = 33013;
inline constexpr int kUndo = 33014;
inline constexpr int kRedo = 33015;
inline constexpr int kOpenAnnotations = 33019;
// Row heights 1, 6, 12, 24, 48 are kRowHeightFirst … kRowHeightFirst + 4; column widths the
// same from kColumnWidthFirst.
inline constexpr int kRowHeightFirst = 33020;
inline constexpr int kColumnWidthFirst = 33030;
inline constexpr int kFind = 33016;
inline constexpr int kFindNext = 33017;
inline constexpr int kFindPrevious = 33018;
inline constexpr int kWindowCascade = 33040;
inline constexpr int kWindowTile = 33041;
inline constexpr int kWindowNext = 33042;
inline constexpr int kWindowClose = 33043;
// The entries of the recent-file list, most recent first.
inline constexpr int kRecentFileFirst = 33100;
inline constexpr int kRecentFileCount = 10;

}  // namespace cmd
