#!/usr/bin/env bash
# Builds the page (the web preset, into build/web) and runs the browser tests
# of tests/web in Debian's chromium, driven by playwright-core (pinned in
# tests/web/package-lock.json, installed with npm ci into build/web-tests),
# against the programs of a desktop build (BUILD, default build/dev).
# Screenshots and downloads go to a temporary folder, named at the start.
# Skips, saying so, where emscripten or chromium is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}

if ! command -v em++ >/dev/null; then
  echo "browser tests skipped: emscripten (em++) is not installed (scripts/install-deps.sh installs it)"
  exit 0
fi
if [ ! -x /usr/bin/chromium ]; then
  echo "browser tests skipped: /usr/bin/chromium is not installed (scripts/install-deps.sh installs it)"
  exit 0
fi

cmake --preset web >/dev/null
cmake --build --preset web

runner=build/web-tests
if [ ! -d "$runner/node_modules" ] || ! cmp -s tests/web/package-lock.json "$runner/package-lock.json"; then
  rm -rf "$runner" && mkdir -p "$runner"
  cp tests/web/package.json tests/web/package-lock.json "$runner/"
  (cd "$runner" && npm ci --no-audit --no-fund)
fi
# Beside their packages, where Node resolves the imports of the test modules.
cp tests/web/*.mjs "$runner/"

output=$(mktemp -d "${TMPDIR:-/tmp}/pictavo-browser-tests.XXXXXX")
echo "browser tests: fixtures, downloads and screenshots in $output"
PICTAVO_SOURCE_DIR=$PWD PICTAVO_BIN=$PWD/$build/bin PICTAVO_TEST_OUTPUT=$output \
  node --test --test-reporter=spec "$runner/page.test.mjs"
