// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "base/Geometry.h"

// `count` distinct cluster-mark colours, none of them black (0 means "unmarked"). The first
// eight are the colour-blind safe palette of Okabe and Ito without its black (orange, sky blue,
// bluish green, yellow, blue, vermillion, reddish purple) and a mid grey; further colours step
// round the hue circle by the golden angle at three levels of brightness and two of saturation,
// each nudged until it differs from every colour before it. The list for a larger count
// begins with the list for a smaller one. Cost O(count log count).
std::vector<ColorRef> ClusterColors(int count);
