#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with CTest. Arguments go to
# CMake's configure step (CI adds -DSANXING_WERROR=ON).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
dir=$("$root/scripts/build.sh" Release "$@" | tail -n 1)
cd "$dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
