#!/usr/bin/env bash
# Fails when a library folder includes a header of, or links, a folder of a higher layer,
# or when Qt, curl or SQLite is included outside the one folder that wraps it.
# The layers, lowest first; a folder may use the folders of lower layers and its own, never
# one of its own layer or above. --graph prints which folders each folder really includes.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(
  "runtime"
  "numbers"
  "window"
  "shrink history net"
  "tools"
  "draws analysis"
  "app"
  "services"
  "gui cli"
)

declare -A layer_of
for i in "${!layers[@]}"; do
  for folder in ${layers[$i]}; do layer_of[$folder]=$i; done
done

# The folder of a source path or include path: its first component.
folder_of() {
  case "$1" in
    */*) echo "${1%%/*}" ;;
  esac
}

# "FOLDER USED" for every project include of every library source, one pair a line.
used_folders() {
  for folder in "${!layer_of[@]}"; do
    [ -d "$folder" ] || continue
    local files
    files=$(find "$folder" \( -name '*.cpp' -o -name '*.h' \))
    [ -n "$files" ] || continue
    # shellcheck disable=SC2086
    grep -ho '^#include "[a-z_]*/[a-z_/]*\.h"' $files | sed 's/#include "//; s/"$//' | while read -r path; do
      used=$(folder_of "$path")
      if [ "$used" != "$folder" ]; then echo "$folder $used"; fi
    done || true  # a folder may include nothing of the project
  done | sort -u
}

# The library of a folder and the folder of a library.
library_of() {
  case "$1" in
    cli) echo sanxing_cli_core ;;
    *) echo "sanxing_$1" ;;
  esac
}
folder_of_library() {
  case "$1" in
    sanxing_cli_core) echo cli ;;
    *) echo "${1#sanxing_}" ;;
  esac
}

# "FOLDER LINKED" for every sanxing library that a folder's library links.
linked_folders() {
  for folder in "${!layer_of[@]}"; do
    [ -f "$folder/CMakeLists.txt" ] || continue
    local library
    library=$(library_of "$folder")
    tr '\n' ' ' <"$folder/CMakeLists.txt" | grep -o "target_link_libraries($library [^)]*)" |
      grep -o 'sanxing_[a-z_]*' | while read -r linked; do
      if [ "$linked" != "$library" ]; then echo "$folder $(folder_of_library "$linked")"; fi
    done || true  # a library may link nothing of the project
  done | sort -u
}

if [ "${1:-}" = "--graph" ]; then
  used_folders | awk '{ uses[$1] = uses[$1] " " $2 } END { for (f in uses) print f ":" uses[f] }' | sort
  exit 0
fi

status=0
check() {
  local what=$1 folder used
  while read -r folder used; do
    if [ -z "${layer_of[$used]+set}" ]; then
      echo "check_layers: $folder $what $used, which is in no layer" >&2
      status=1
    elif [ "${layer_of[$used]}" -ge "${layer_of[$folder]}" ]; then
      echo "check_layers: $folder $what $used, a folder of its own layer or above" >&2
      status=1
    fi
  done
}
check includes < <(used_folders)
check links < <(linked_folders)

# Headers of an outside library that only its own folder includes.
only_in() {
  local header=$1 home=$2 file
  for file in $(grep -rlE "^#include <$header" --include='*.cpp' --include='*.h' "${!layer_of[@]}" 2>/dev/null); do
    case "$file" in
      "$home"/*) ;;
      *)
        echo "check_layers: $file includes <$header...>, which only $home/ may use" >&2
        status=1
        ;;
    esac
  done
}
only_in Q gui
only_in curl/ net
only_in sqlite3 history
exit $status
