#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build dependencies of Quorvel on Debian 12 (only what is missing).
#   tools/setup.sh           everything: the program, tests, installation and package checks
#   tools/setup.sh program   only PROGRAM_PACKAGES, what building and running the program needs
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake ninja-build g++ ccache pkg-config clang-format
  qt6-base-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fontconfig fonts-dejavu-core fonts-wqy-microhei fonts-urw-base35 ghostscript
  libexpat1-dev libcsv-dev libminizip-dev librsvg2-bin
  man-db desktop-file-utils appstream dpkg-dev
  r-base-core r-cran-ape python3-pandas python3-biopython
)
# Configuring the build folder looks for GoogleTest and Google Benchmark too. The readers link
# libcsv (delimited text), minizip and expat (.xlsx and .ods workbooks).
PROGRAM_PACKAGES=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev libexpat1-dev libcsv-dev libminizip-dev
  fontconfig fonts-dejavu-core fonts-wqy-microhei
)
if [ "${1:-}" = "program" ]; then
  tools/install-packages.sh "${PROGRAM_PACKAGES[@]}"
else
  tools/install-packages.sh "${PACKAGES[@]}"
fi
