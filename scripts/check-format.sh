#!/usr/bin/env bash
# Fails when a tracked C++ file is not in the style of .clang-format, and names
# the files and the command that fixes them.
set -euo pipefail
cd "$(dirname "$0")/.."

# One clang-format run over every file; it reports each misformatted spot as
# "<file>:<line>:<column>: error: code should be clang-formatted".
report=$(git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror 2>&1) && {
  echo "clang-format: every tracked C++ file in style"
  exit 0
}
mapfile -t unformatted < <(grep -E ': error: code should be clang-formatted' <<<"$report" |
  sed -E 's/:[0-9]+:[0-9]+: error: .*//' | sort -u)
if [ ${#unformatted[@]} -eq 0 ]; then
  echo "$report" >&2
  exit 1
fi
echo "Not in clang-format style:" >&2
printf '  %s\n' "${unformatted[@]}" >&2
echo "Fix with: clang-format -i ${unformatted[*]@Q}" >&2
exit 1
