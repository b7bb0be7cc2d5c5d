// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "dissimilarity/Distance.h"

// Euclidean distances between `n` rows of 40 columns drawn around 12 centres of different
// spreads (a gaussian mixture), the same for the same seed. Row sums are not computed.
std::unique_ptr<CDistance> MixtureDistances(int n, unsigned seed);
