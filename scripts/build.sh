#!/usr/bin/env bash
# Configures and builds sanxing in build/<type> (default Release).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
type=${1:-Release}
dir="$root/build/${type,,}"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE="$type" >/dev/null
cmake --build "$dir" -j"$(nproc)"
echo "$dir"
