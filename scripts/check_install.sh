#!/usr/bin/env bash
# Installs a build (default build/release) into a staging folder and checks what a desktop
# and a package manager read from it: the desktop entry, the AppStream metainfo, the
# icons, the man pages and docs, and that the staged programs print the project's version.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build/release}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR="$stage" cmake --install "$dir" --prefix /usr >/dev/null
usr="$stage/usr"
app_id=$(sed -n 's/^set(SANXING_APP_ID \(.*\))$/\1/p' "$root/CMakeLists.txt")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$dir/CMakeCache.txt")

fail() { echo "check_install: $*" >&2; exit 1; }

for file in bin/sanxing bin/sanxing-cli "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
            share/icons/hicolor/scalable/apps/sanxing.svg share/man/man1/sanxing-cli.1 share/man/man1/sanxing.1 \
            share/doc/sanxing/README.md share/doc/sanxing/sources.json share/doc/sanxing/screenshots/main.png; do
  [ -f "$usr/$file" ] || fail "missing $file"
done
for size in 48 128 256; do
  file "$usr/share/icons/hicolor/${size}x$size/apps/sanxing.png" | grep -q "$size x $size" ||
    fail "the ${size} px icon is missing or not ${size}x$size"
done

desktop-file-validate "$usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml"

# The staged programs run on their own: the version they print is the project's.
[ "$("$usr/bin/sanxing-cli" --version)" = "sanxing-cli $version" ] || fail "sanxing-cli --version is not $version"
[ "$("$usr/bin/sanxing" --version)" = "sanxing $version" ] || fail "sanxing --version is not $version"
grep -q "$version" "$usr/share/man/man1/sanxing-cli.1" || fail "the man page does not carry $version"
grep -q "release version=\"$version\"" "$usr/share/metainfo/$app_id.metainfo.xml" || fail "the AppStream release is not $version"
! grep -rlF "$dir" "$usr" || fail "installed files refer to the build folder $dir"
echo "check_install: staged install of sanxing $version is valid"
