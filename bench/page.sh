#!/usr/bin/env bash
# The page's benchmark (bench/web/page_bench.mjs) in headless chromium: builds
# the web preset and runs the benchmark beside the browser tests' npm packages,
# with pictavo-mkflash of a desktop build (BUILD, default build/release).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cmake --preset "$(basename "$build")" >/dev/null
cmake --build --preset "$(basename "$build")" --target pictavo-mkflash >/dev/null
cmake --preset web >/dev/null
cmake --build --preset web >/dev/null
runner=build/web-tests
if [ ! -d "$runner/node_modules" ] || ! cmp -s tests/web/package-lock.json "$runner/package-lock.json"; then
  rm -rf "$runner" && mkdir -p "$runner"
  cp tests/web/package.json tests/web/package-lock.json "$runner/"
  (cd "$runner" && npm ci --no-audit --no-fund)
fi
cp tests/web/harness.mjs tests/web/serve.mjs bench/web/page_bench.mjs "$runner/"
output=$(mktemp -d "${TMPDIR:-/tmp}/pictavo-page-bench.XXXXXX")
trap 'rm -rf "$output"' EXIT
PICTAVO_SOURCE_DIR=$PWD PICTAVO_BIN=$PWD/$build/bin PICTAVO_TEST_OUTPUT=$output node "$runner/page_bench.mjs"
