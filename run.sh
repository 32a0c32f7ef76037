#!/usr/bin/env bash
# Sets up a fresh Debian machine (missing packages only), builds the programs
# the window needs with the release preset and opens Pictavo with FILE, or with
# a demo fullflash that pictavo-mkflash makes once.
#
# ./run.sh --web [PORT] builds the page instead (the web preset, into
# build/web) and serves that folder on 127.0.0.1 until Ctrl+C.
set -euo pipefail

if [ "${1:-}" = "--web" ]; then
  port=${2:-8021}
  cd "$(dirname "$0")"
  scripts/install-deps.sh >&2
  cmake --preset web >/dev/null
  cmake --build --preset web >&2
  echo "Pictavo's page: http://127.0.0.1:$port/ (Ctrl+C stops the server)"
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web
fi

file=""
if [ $# -gt 0 ]; then
  if [ ! -f "$1" ] || [ ! -r "$1" ]; then
    echo "Cannot read $1: not a readable file." >&2
    exit 1
  fi
  file=$(realpath -- "$1")
fi
cd "$(dirname "$0")"

bin=build/release/bin
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: run 'xvfb-run ./run.sh${1:+ FILE}' for a virtual one, or build and use $bin/pictavo-cli (info, list, export, ...) without a window." >&2
  exit 1
fi

scripts/install-deps.sh >&2
cmake --preset release >/dev/null
# Only what the window runs: the program, its converter and the files beside
# them, and the generator of the demo. Tests and benchmarks are ./test.sh's.
cmake --build --preset release --target pictavo pictavo-convert pictavo-mkflash \
  program_folder_files default_settings >&2

if [ -z "$file" ]; then
  file=$PWD/build/release/demo-fullflash.bin
  [ -f "$file" ] || "$bin/pictavo-mkflash" "$file" --platform newsgold --model E71 --pictures 400 --seed 1
fi
exec "$bin/pictavo" "$file"
