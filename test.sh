#!/usr/bin/env bash
# Sets up a fresh Debian machine (missing packages only), checks the C++ files
# are in clang-format style, builds the dev preset (AddressSanitizer +
# UndefinedBehaviorSanitizer), runs every test and clang-tidy over src/, then
# runs each fuzz target for a short, bounded time when clang is present.
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

# The VKP reader's differential test compares it with the phone community's
# parser, pinned in tests/vkp_judge and installed into the build folder (again
# only when the lock file changed). Where npm cannot reach its registry, the
# test skips and tells why.
judge=build/dev/vkp-judge
if [ ! -d "$judge/node_modules" ] || ! cmp -s tests/vkp_judge/package-lock.json "$judge/package-lock.json"; then
  rm -rf "$judge" && mkdir -p "$judge"
  cp tests/vkp_judge/package.json tests/vkp_judge/package-lock.json "$judge/"
  if ! command -v npm >/dev/null; then
    echo "npm is not installed" >"$judge/unavailable.txt"
  elif ! (cd "$judge" && npm ci --no-audit --no-fund >npm-ci.log 2>&1); then
    echo "npm ci failed: $(grep -m1 -i 'err' "$judge/npm-ci.log" || tail -n1 "$judge/npm-ci.log")" \
      >"$judge/unavailable.txt"
  fi
  if [ -f "$judge/unavailable.txt" ]; then
    echo "community VKP parser not installed ($(cat "$judge/unavailable.txt")): its test will skip"
    rm -rf "$judge/node_modules" "$judge/package-lock.json"
  fi
fi
QT_QPA_PLATFORM=offscreen ctest --preset dev -j 2

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
