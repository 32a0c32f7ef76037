#!/usr/bin/env bash
# Sets up a fresh Debian machine (missing packages only), checks the C++ files
# are in clang-format style, builds the dev preset (AddressSanitizer +
# UndefinedBehaviorSanitizer), runs every test, the browser tests of the web
# page when emscripten and chromium are installed, and clang-tidy over src/,
# then runs each fuzz target for a short, bounded time when clang is present.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

if command -v clang-format >/dev/null; then
  scripts/check-format.sh
else
  echo "clang-format not found: format check skipped"
fi

cmake --preset dev >/dev/null
cmake --build --preset dev

# The VKP reader's differential test needs the community parser from npm.
scripts/install-vkp-judge.sh build/dev
QT_QPA_PLATFORM=offscreen ctest --preset dev -j 2

# The page in build/web, in chromium, against the programs just built.
scripts/run-browser-tests.sh build/dev

if command -v clang-tidy >/dev/null; then
  scripts/run-clang-tidy.sh build/dev
else
  echo "clang-tidy not found: static analysis skipped"
fi

if command -v clang++ >/dev/null; then
  scripts/run-fuzzers.sh "${PICTAVO_FUZZ_SECONDS:-20}"
else
  echo "clang++ not found: fuzz targets skipped"
fi
