#include "document/TreeSeriationStep.h"

#include "tree/Tree.h"

bool SeriateUnderTree(CTree&, const TreatmentSettings&) { return false; }
