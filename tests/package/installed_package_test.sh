#!/usr/bin/env bash
# The Debian package of this build, unpacked into a temporary root as dpkg
# unpacks it: the installed programs must run from there and find their data
# and the picture reader without the build folder, pictavo-cli must not load
# Qt for a command that reads no picture file, and a missing picture reader
# must be told, not crash.
#   installed_package_test.sh BUILD_DIR TESTDATA_DIR
set -euo pipefail
build=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# Uncompressed: the test needs the layout, not a small file.
cpack --config "$build/CPackConfig.cmake" -B "$work/package" \
    -D CPACK_DEBIAN_COMPRESSION_TYPE=none >"$work/cpack.log" || { cat "$work/cpack.log"; exit 1; }
packages=("$work"/package/pictavo_*_amd64.deb)
dpkg-deb -x "${packages[0]}" "$work/root"
installed=$work/root/usr/bin
export XDG_CONFIG_HOME=$work/config HOME=$work/home

"$build/bin/pictavo-mkflash" "$work/flash.bin" --platform sgold --model S65 --pictures 5 >/dev/null
"$installed/pictavo-cli" info "$work/flash.bin" >"$work/installed-info.txt"
"$build/bin/pictavo-cli" info "$work/flash.bin" | diff - "$work/installed-info.txt" ||
    fail "the installed pictavo-cli info differs from the build's"
[ -f "$work/config/pictavo/Pictavo.ini" ] || fail "no settings made in \$XDG_CONFIG_HOME/pictavo/"

"$installed/pictavo-convert" --help | grep -q '^usage: pictavo-convert' ||
    fail "the installed pictavo-convert --help"

if LD_DEBUG=libs "$installed/pictavo-cli" info "$work/flash.bin" 2>&1 >/dev/null | grep -q 'libQt6'; then
    fail "pictavo-cli info loads Qt"
fi

picture=$data/gif/testimg.gif  # read through QImage, in the loaded library
"$installed/pictavo-cli" open-picture "$picture" --bmp "$work/installed.bmp" >/dev/null
"$build/bin/pictavo-cli" open-picture "$picture" --bmp "$work/built.bmp" >/dev/null
cmp "$work/built.bmp" "$work/installed.bmp" || fail "the installed open-picture wrote another bitmap"

rm "$work"/root/usr/lib/*/pictavo/libpictavo-picture-reader.so
status=0
"$installed/pictavo-cli" open-picture "$picture" --bmp "$work/missing.bmp" 2>"$work/missing.txt" || status=$?
[ "$status" = 1 ] || fail "open-picture without the picture reader ended with $status"
grep -q 'libpictavo-picture-reader.so is neither in' "$work/missing.txt" ||
    fail "open-picture without the picture reader said: $(cat "$work/missing.txt")"
echo "installed package runs"
