#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for SECONDS (default 20)
# from its seed corpus in fuzz/corpus/<name>/ (copied, so runs leave the
# checkout unchanged). Fails on the first crash, leak or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in build/fuzz/bin/fuzz-*; do
  name=${target##*/fuzz-}
  mkdir -p "$work/$name"
  if [ -d "fuzz/corpus/$name" ]; then cp -r "fuzz/corpus/$name/." "$work/$name/"; fi
  echo "fuzzing $name for ${seconds}s"
  # A fixed seed keeps a short CI run repeatable; set PICTAVO_FUZZ_SEED=0 for a
  # random one when hunting.
  "$target" -max_total_time="$seconds" -seed="${PICTAVO_FUZZ_SEED:-1}" -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$work/" -print_final_stats=1 "$work/$name" 2>"$work/$name.log" ||
    { tail -n 60 "$work/$name.log"; echo "fuzz-$name failed"; exit 1; }
  grep -E '^stat::number_of_executed_units' "$work/$name.log" || true
done
