// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "render/Zoom.h"
#include "settings/DisplaySwitches.h"

class CQuorvelDoc;
class CTree;
class CViewModel;
struct CTreeCutRequest;

// The commands a user gives in one window: tree editing, sorting, shuffling and cluster marks of
// a side, zoom, display switches and cell sizes, labels and saves. Each notifies the window
// host so the windows are laid out again and repainted.

// Enable rules of the tree-editing commands of a side.
bool CanFlip(const CTree& side);
bool CanSwap(const CTree& side);
bool CanAggregate(const CTree& side);
// The selected node exists and is expanded (the tick of the clustering entries).
bool HasExpandedSelection(const CTree& side);

bool FlipSide(CViewModel& view, bool rows);
bool SwapSide(CViewModel& view, bool rows);
bool AggregateSide(CViewModel& view, bool rows);
bool RandomiseSide(CViewModel& view, bool rows, std::int64_t seed);
// Sorts the selected items of a side by the sums of their values over `keyCount` positions of
// the other side's display order from `keyPosition`.
bool SortSide(CViewModel& view, bool rows, int keyPosition, int keyCount, bool descending);

// Undo and redo of the window's editing commands (flip, swap, aggregate, sort, randomise,
// marks, the removal of a dendrogram and a seriation in place): the window's orders, trees and
// marks come back with their R and S.
bool CanUndo(const CViewModel& view);
bool CanRedo(const CViewModel& view);
bool UndoView(CViewModel& view);
bool RedoView(CViewModel& view);

// Cluster marks on the active side of the window.
void MarkSelection(CViewModel& view, ColorRef colour);
void UnmarkSelection(CViewModel& view);
void UnmarkAllOfSide(CViewModel& view);

// Cuts the dendrogram of a side into clusters (a number, or a height) and colours them: the cut
// replaces every mark of that side. Returns the number of clusters made, 0 (nothing changed)
// when the side has no dendrogram.
int CutSideTree(CViewModel& view, bool rows, const CTreeCutRequest& request);
// Writes the clusters of the side's cut to `path` (complete or not at all); false with the
// reason, or without one when the side carries no cut.
bool SaveTreeClusters(CViewModel& view, bool rows, const std::string& path, std::string* error);

// Zoom of a window.
void ZoomIn(CViewModel& view);
void ZoomOut(CViewModel& view);
void ZoomDelete(CViewModel& view);
void ToggleFitToWindow(CViewModel& view);
void ChoosePaletteItem(CViewModel& view, const CPaletteChoice& choice);

// Display switches of a document and their state.
void ToggleDisplaySwitch(CQuorvelDoc& document, EDisplaySwitch which);
bool DisplaySwitchState(const CQuorvelDoc& document, EDisplaySwitch which);
// A cell-size preset for the rows (height) or the columns (width); nothing when it is the
// current one.
void SetCellSize(CQuorvelDoc& document, bool rows, int size);

// The labels of the items selected by the user on a side, in display order (none without a
// user selection).
std::vector<std::string> SelectedLabels(const CTree& side);
// The list as the clipboard receives it: every label followed by CR LF.
std::string LabelListText(const std::vector<std::string>& labels);

// Writes the selected block of the window to `path` (complete or not at all); false with the
// reason.
bool SaveSelectedItems(CViewModel& view, const std::string& path, std::string* error);
