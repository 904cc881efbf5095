#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it (.clang-format).
# clang-format 14 is the version scripts/deps.sh installs; another version may wrap lines
# differently, so the check insists on it. Run with --fix to rewrite the files instead.
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=$(command -v clang-format-14 || true)
if [ -z "$formatter" ]; then
  echo "check_format: clang-format-14 is missing (scripts/deps.sh installs it)" >&2
  exit 1
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path './build*' -prune -o -path './.git' -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print)
fi
if [ "${1:-}" = "--fix" ]; then
  "$formatter" -i "${files[@]}"
else
  "$formatter" --dry-run -Werror "${files[@]}"
fi
