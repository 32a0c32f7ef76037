#!/usr/bin/env bash
# Sets up a fresh Debian machine (missing packages only), builds the dev preset
# (AddressSanitizer + UndefinedBehaviorSanitizer) and runs every test, then runs
# each fuzz target for a short, bounded time when clang is present.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

cmake --preset dev >/dev/null
cmake --build --preset dev
QT_QPA_PLATFORM=offscreen ctest --preset dev -j 2

if command -v clang++ >/dev/null; then
  scripts/run-fuzzers.sh "${PICTAVO_FUZZ_SECONDS:-20}"
else
  echo "clang++ not found: fuzz targets skipped"
fi
