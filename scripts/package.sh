#!/usr/bin/env bash
# Builds the Debian package build/package/sanxing_<version>_<arch>.deb with CPack:
# installs what is missing, builds in Release, then packs the install of that build.
# Install it with:  sudo apt-get install ./build/package/sanxing_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
dir=$("$root/scripts/build.sh" Release | tail -n 1)
out="$root/build/package"
mkdir -p "$out"
rm -f "$out"/sanxing_*.deb
cpack --config "$dir/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
ls "$out"/sanxing_*.deb
