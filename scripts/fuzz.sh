#!/usr/bin/env bash
# Builds the fuzz targets (the asan preset: clang, ASan + UBSan, libFuzzer) and fuzzes
# each for SECONDS (default 300), one after the other. Each target starts from its
# checked-in seeds (tests/fuzz/corpus/<name>) and keeps what it finds in
# build/asan/fuzz-corpus/<name>; crashing inputs land in build/asan/fuzz-crashes/.
# Prints one line per target: executions, edge coverage (cov) and features (ft).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
cd "$root"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake --preset asan "${launcher[@]}" >/dev/null
cmake --build --preset asan -j"$(nproc)" >/dev/null
out="$root/build/asan"
mkdir -p "$out/fuzz-crashes"
status=0
for seeds in tests/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  work="$out/fuzz-corpus/$name"
  mkdir -p "$work"
  dict=()
  [ -f "tests/fuzz/$name.dict" ] && dict=(-dict="tests/fuzz/$name.dict")
  log="$out/fuzz-$name.log"
  if ! "$out/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$out/fuzz-crashes/$name-" "${dict[@]}" "$work" "$seeds" >"$log" 2>&1; then
    status=1
    echo "$name: FAILED, see $log"
  fi
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1 || echo "cov: ? ft: ?")
  echo "$name: $runs executions in ${seconds}s, $cov"
done
exit $status
