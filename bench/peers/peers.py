# SPDX-License-Identifier: GPL-3.0-or-later
"""Times the peers' versions of Quorvel's heavy steps on gaussian-mixture tables of the sizes
Quorvel's benchmarks use: Euclidean distances between rows (scipy pdist), agglomerative
clustering with each linkage rule (fastcluster, scipy) and optimal leaf ordering (scipy).
Prints one line per step and size: "step size seconds"."""
import sys
import time

import numpy as np
from scipy.cluster import hierarchy
from scipy.spatial.distance import pdist

try:
    import fastcluster
except ImportError:
    fastcluster = None


def mixture(n, columns, seed):
    random = np.random.default_rng(seed)
    centres = 3.0 * random.standard_normal((12, columns))
    spreads = 0.5 + np.abs(random.standard_normal(12))
    labels = random.integers(0, 12, n)
    return centres[labels] + spreads[labels, None] * random.standard_normal((n, columns))


def timed(step, size, work):
    start = time.perf_counter()
    result = work()
    print(f"{step} {size} {time.perf_counter() - start:.4f}", flush=True)
    return result


def main():
    for n in (5000, 10000):
        table = mixture(n, 100, n)
        timed("euclidean_100cols", n, lambda: pdist(table, "euclidean"))
    for n in (1000, 2000, 5000, 10000):
        distances = pdist(mixture(n, 40, n), "euclidean")
        for method in ("complete", "single", "weighted", "average", "ward"):
            if fastcluster is not None:
                timed(f"fastcluster_{method}", n, lambda: fastcluster.linkage(distances, method))
            if n <= 5000:
                timed(f"scipy_{method}", n, lambda: hierarchy.linkage(distances, method))
        if n <= 2000:
            tree = hierarchy.linkage(distances, "ward")
            timed("scipy_optimal_leaf_ordering", n,
                  lambda: hierarchy.optimal_leaf_ordering(tree, distances))


if __name__ == "__main__":
    sys.exit(main())
