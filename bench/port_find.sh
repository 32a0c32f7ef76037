#!/usr/bin/env bash
# Whole-process timings of pictavo-cli port and find, with hyperfine, on two
# 96 MiB New-SGold EL71 fullflashes of 2501 pictures: OLD, and NEW, a later
# version of it with 30 pictures inserted, 30 removed and 20 changed.
# - port: a patch for OLD replacing 500 pictures (every fourth from 2 on, each
#   by the picture after it, so most are relocated) carried to NEW; also its
#   peak memory (GNU time's maximum resident set);
# - find: one picture file among NEW's 2501 pictures, as GPF2 (no picture
#   library), as BMP (read through QImage) and as PNG (through the converter),
#   exact and --similar.
# Needs the release build. The images go to a temporary folder, removed at the end.
#   bench/port_find.sh [BIN_DIR]      (default build/release/bin)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$(realpath "${1:-build/release/bin}")
command -v hyperfine >/dev/null || { echo "needs hyperfine (apt-get install hyperfine)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs GNU time (apt-get install time)" >&2; exit 1; }
cli="$bin/pictavo-cli"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
image=(--platform newsgold --model EL71 --pictures 2501 --size-mib 96)
"$bin/pictavo-mkflash" "$work/old.bin" "${image[@]}"
"$bin/pictavo-mkflash" "$work/new.bin" "${image[@]}" --version-of 1 --insert 30 --remove 30 \
  --change 20 >/dev/null

mkdir "$work/all" "$work/pack"
"$cli" export "$work/old.bin" --as gpf2 --to "$work/all" --pictures 3-2003 >/dev/null
for ((i = 2; i < 2002; i += 4)); do
  printf -v from '%04d' $((i + 1))
  printf -v to '%04d' "$i"
  mv "$work/all/$from.gpf2" "$work/pack/$to.gpf2"
done
"$cli" patch "$work/old.bin" "$work/pack.vkp" --depth 16 --from-folder "$work/pack"

echo "port: peak memory of one run"
/usr/bin/time -f "maximum resident set: %M KiB" "$cli" port "$work/pack.vkp" --from "$work/old.bin" \
  --to "$work/new.bin" -o "$work/new.vkp" --pick nearest --overwrite | tail -2 || true
hyperfine -N --warmup 1 --runs 10 -i \
  "$cli port $work/pack.vkp --from $work/old.bin --to $work/new.bin -o $work/new.vkp --pick nearest --overwrite"

for kind in gpf2 bmp png; do
  "$cli" export "$work/new.bin" --as "$kind" --to "$work" --pictures 700 >/dev/null
done
hyperfine -N --warmup 5 --runs 50 \
  "$cli find $work/new.bin $work/0700.gpf2" \
  "$cli find $work/new.bin $work/0700.bmp" \
  "$cli find $work/new.bin $work/0700.png" \
  "$cli find $work/new.bin $work/0700.gpf2 --similar" \
  "$cli find $work/new.bin $work/0700.bmp --similar"
