#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over every .cpp file under src/
# (the project's headers are checked through them), two files at a time, with
# the compile commands of a build folder (default build/dev). Fails on any
# warning. Generated files under build/ are not checked.
#
# A file that passed is remembered under <build>/clang-tidy-passed, keyed on its
# text, every header under src/, .clang-tidy, the compile commands and the
# clang-tidy version, so an unchanged tree is checked again in seconds. Delete
# that folder to check everything anew.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build/dev}
jobs=${PICTAVO_TIDY_JOBS:-2}
if [ ! -f "$build_dir/compile_commands.json" ]; then
  echo "run-clang-tidy: $build_dir/compile_commands.json not found; configure that build first" >&2
  exit 1
fi

passed_dir=$build_dir/clang-tidy-passed
log_dir=$(mktemp -d)
trap 'rm -rf "$log_dir"' EXIT
mkdir -p "$passed_dir"

shared_key=$(
  {
    clang-tidy --version
    cat .clang-tidy "$build_dir/compile_commands.json"
    find src -name '*.h' | sort | xargs cat
  } | sha256sum | cut -d' ' -f1
)

tidy_one() {
  local file=$1 build_dir=$2 passed_dir=$3 log_dir=$4 shared_key=$5
  local key log
  key=$( (echo "$shared_key" && cat "$file") | sha256sum | cut -d' ' -f1)
  [ -e "$passed_dir/$key" ] && return 0
  log=$log_dir/${file//\//_}.log
  # The compile commands are GCC's: clang must not stop at GCC-only warning flags.
  # Its "N warnings generated." lines count the suppressed ones in Qt and the
  # system headers, so they are left out.
  if clang-tidy -p "$build_dir" --quiet --extra-arg=-Wno-unknown-warning-option "$file" \
    >"$log" 2>&1; then
    touch "$passed_dir/$key"
  else
    grep -Ev '^[0-9]+ (warning|error)s? (and [0-9]+ errors? )?generated\.$' "$log" \
      >"$log.failed" || true
  fi
}
export -f tidy_one

mapfile -t files < <(find src -name '*.cpp' | sort)
start=$SECONDS
printf '%s\n' "${files[@]}" |
  xargs -P "$jobs" -I{} bash -c 'tidy_one "$@"' _ {} "$build_dir" "$passed_dir" "$log_dir" \
    "$shared_key"

shopt -s nullglob
failed=("$log_dir"/*.failed)
if [ ${#failed[@]} -gt 0 ]; then
  cat "${failed[@]}"
  echo "clang-tidy: warnings in ${#failed[@]} of ${#files[@]} files under src/ (see above)" >&2
  exit 1
fi
echo "clang-tidy: ${#files[@]} files under src/ clean ($((SECONDS - start)) s)"
