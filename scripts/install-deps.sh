#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and only those
# that are missing, so that a second run costs nothing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libcli11-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  hyperfine time  # whole-process timings and peak memory in bench/*.sh
  clang libclang-rt-dev clang-tidy clang-format
  xvfb xauth
  shared-mime-info xdg-utils
  nodejs npm  # the VKP reader's differential test
  dpkg-dev file  # cpack's shlibdeps for the package
  qt6-translations-l10n
  emscripten chromium  # the web page (build/web) and its browser tests
)

missing=()
for pkg in "${packages[@]}"; do
  # A nodejs from elsewhere (NodeSource) brings its own npm and conflicts with Debian's.
  if [ "$pkg" = npm ] && command -v npm >/dev/null; then continue; fi
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
