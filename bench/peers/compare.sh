#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the peers (scipy, fastcluster from Debian) on the steps Quorvel benchmarks, and
# Quorvel's own benchmarks of the same steps and sizes, from one run each; prints both.
#   bench/peers/compare.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
tools/install-packages.sh python3-scipy python3-fastcluster
[ -x build/bench/bench_clustering ] || tools/build.sh build

echo "== peers (seconds)"
/usr/bin/python3 bench/peers/peers.py
echo
echo "== Quorvel"
./build/bench/bench_dissimilarity --benchmark_filter='type:0/code:1/rows:(5000|10000)/columns:100/byColumns:0'
./build/bench/bench_clustering
./build/bench/bench_leaf_order --benchmark_filter='BM_OptimalLeafOrder/(1000|2000)/0'
