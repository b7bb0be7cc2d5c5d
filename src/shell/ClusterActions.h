// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Geometry.h"

// What the "Clusters Identification" window asks of the active window's active side.
class CClusterActions {
 public:
  virtual ~CClusterActions() = default;
  // Marks the selected items with `color` (never 0, which means "unmarked").
  virtual void Mark(ColorRef color) = 0;
  virtual void Unmark() = 0;
  virtual void UnmarkAll() = 0;
};
