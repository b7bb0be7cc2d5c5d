#pragma once

class CTree;
struct TreatmentSettings;

// Seriates the selected subtree of `tree` under its dendrogram and records which rules were
// applied; false when the seriation refused to run (the marks then stay as they were).
bool SeriateUnderTree(CTree& tree, const TreatmentSettings& settings);
