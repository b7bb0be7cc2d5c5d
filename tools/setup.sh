#!/usr/bin/env bash
# Installs the build dependencies of Quorvel on Debian 12 (only what is missing).
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake ninja-build g++ ccache pkg-config clang-format
  qt6-base-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fontconfig fonts-dejavu-core fonts-urw-base35 ghostscript
)
tools/install-packages.sh "${PACKAGES[@]}"
