#!/usr/bin/env bash
# Configures and builds sanxing in build/<type> (default Release); extra arguments go to
# CMake's configure step. ccache, when installed, caches the compiler's work across builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
type=${1:-Release}
shift || true
dir="$root/build/${type,,}"
# Paths in the compiler cache are relative to the checkout, so other build folders at the
# same depth (the package build's) and other checkouts reuse its objects.
export CCACHE_BASEDIR="$root"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
echo "$dir"
