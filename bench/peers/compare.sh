#!/usr/bin/env bash
# Times the peers (scipy, fastcluster from Debian) on the steps Quorvel benchmarks, and
# Quorvel's own benchmarks of the same steps and sizes, from one run each; prints both.
#   bench/peers/compare.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
missing=()
for package in python3-scipy python3-fastcluster; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
[ -x build/bench/bench_clustering ] || tools/build.sh build

echo "== peers (seconds)"
/usr/bin/python3 bench/peers/peers.py
echo
echo "== Quorvel"
./build/bench/bench_dissimilarity --benchmark_filter='type:0/code:1/rows:(5000|10000)/columns:100/byColumns:0'
./build/bench/bench_clustering
./build/bench/bench_leaf_order --benchmark_filter='BM_OptimalLeafOrder/(1000|2000)/0'
