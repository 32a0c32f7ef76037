#!/usr/bin/env bash
# Sets up a fresh Debian machine (missing packages only), builds the release
# preset and shows a fullflash: FILE when given, else a demo image made once
# with pictavo-mkflash.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh >&2
cmake --preset release >/dev/null
cmake --build --preset release >&2

bin=build/release/bin
flash=${1:-}
if [ -z "$flash" ]; then
  flash=build/release/demo-fullflash.bin
  [ -f "$flash" ] || "$bin/pictavo-mkflash" "$flash" --platform newsgold --model E71 --pictures 400 --seed 1
fi

"$bin/pictavo-cli" info "$flash"
echo
"$bin/pictavo-cli" list "$flash" | head -n 20
