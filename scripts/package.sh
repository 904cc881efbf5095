#!/usr/bin/env bash
# Builds the Debian package build/package/sanxing_<version>-<revision>_<arch>.deb: installs
# what is missing, configures the package preset (build/package-build: Release, prefix /usr),
# builds only the two programs and what they install (no tests, no benchmarks), and packs
# them with CPack. Arguments go to CMake's configure step (CI adds -DSANXING_WERROR=ON).
# The last line printed is the package's path. Install it with:
#   sudo apt-get install ./build/package/sanxing_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/deps.sh"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Paths in the compiler cache are relative to the checkout, so the objects of the Release
# build (build/release, at the same depth) serve this build too.
export CCACHE_BASEDIR="$root"
cmake --preset package "${launcher[@]}" "$@" >/dev/null
cmake --build --preset package -j"$(nproc)" >&2
rm -f build/package/sanxing_*.deb
cpack --preset package >/dev/null
ls "$root"/build/package/sanxing_*.deb
