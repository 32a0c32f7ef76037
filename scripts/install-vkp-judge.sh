#!/usr/bin/env bash
# Installs the phone community's VKP parser, pinned in tests/vkp_judge, into
# BUILD/vkp-judge (default build/dev) for the VKP reader's differential test;
# again only when the lock file changed. Where npm is missing or cannot reach
# its registry, the reason goes to vkp-judge/unavailable.txt and the test skips
# with it. Never fails the run.
set -uo pipefail
cd "$(dirname "$0")/.."
judge=${1:-build/dev}/vkp-judge

if [ -d "$judge/node_modules" ] && cmp -s tests/vkp_judge/package-lock.json "$judge/package-lock.json"; then
  exit 0
fi
rm -rf "$judge" && mkdir -p "$judge"
cp tests/vkp_judge/package.json tests/vkp_judge/package-lock.json "$judge/"
if ! command -v npm >/dev/null; then
  echo "npm is not installed" >"$judge/unavailable.txt"
elif ! (cd "$judge" && npm ci --no-audit --no-fund >npm-ci.log 2>&1); then
  echo "npm ci failed: $(grep -m1 -i 'err' "$judge/npm-ci.log" || tail -n1 "$judge/npm-ci.log")" \
    >"$judge/unavailable.txt"
fi
if [ -f "$judge/unavailable.txt" ]; then
  echo "community VKP parser not installed ($(cat "$judge/unavailable.txt")): its test will skip"
  rm -rf "$judge/node_modules" "$judge/package-lock.json"
fi
exit 0
