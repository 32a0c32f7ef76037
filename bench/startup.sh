#!/usr/bin/env bash
# Whole-process timings of pictavo-cli, with hyperfine (apt-get install hyperfine):
# - start-up: `pictavo-cli info` on a small fullflash against /bin/true;
# - carving: `pictavo-cli carve --kind gif|png|xml` on a 96 MiB fullflash
#   against bench-memmem-scan, one memmem pass over it for that kind's signature.
# Also checks that `pictavo-cli info` loads no Qt library. Needs the release
# build (cmake --preset release && cmake --build --preset release). The images
# and carved files go to a temporary folder ($TMPDIR, else /tmp), removed at the end.
#   bench/startup.sh [BIN_DIR]      (default build/release/bin)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$(realpath "${1:-build/release/bin}")
command -v hyperfine >/dev/null || { echo "needs hyperfine (apt-get install hyperfine)" >&2; exit 1; }
for program in pictavo-cli pictavo-mkflash bench-memmem-scan; do
  [ -x "$bin/$program" ] || { echo "no $bin/$program: build the release preset first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/pictavo-mkflash" "$work/small.bin" --platform sgold --model S65 --pictures 20 --size-mib 1
"$bin/pictavo-mkflash" "$work/big.bin" --platform newsgold --model EL71 --size-mib 96 \
  --embedded-files 64

loaded=$(LD_DEBUG=libs "$bin/pictavo-cli" info "$work/small.bin" 2>&1 >/dev/null |
  grep -c 'calling init:' || true)
echo "pictavo-cli info initialises $loaded shared objects (the dynamic loader included)"
if LD_DEBUG=libs "$bin/pictavo-cli" info "$work/small.bin" 2>&1 >/dev/null | grep -q 'libQt6'; then
  echo "pictavo-cli info loads Qt" >&2
  exit 1
fi

hyperfine -N --warmup 50 --runs 500 "$bin/pictavo-cli info $work/small.bin" /bin/true

# Each carving run writes into a fresh empty folder, as a first extraction does.
for kind in gif png xml; do
  hyperfine --warmup 3 --runs 40 --prepare "rm -rf $work/out && mkdir $work/out" \
    "$bin/pictavo-cli carve $work/big.bin --kind $kind --to $work/out" \
    "$bin/bench-memmem-scan $work/big.bin $kind"
done
