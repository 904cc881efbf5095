#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh; arguments go to CMake's configure step),
# unpacks it into a staging folder and checks what a desktop, a package manager and a
# Debian packager read from it: the desktop entry, the AppStream metainfo, the icons, the
# man pages, docs, copyright and changelog, the programs' versions and hardening, and
# lintian's verdict on the package (nothing but the tags in packaging/lintian-overrides).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deb=$("$root/scripts/package.sh" "$@" | tail -n 1)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

dpkg-deb -x "$deb" "$stage"
usr="$stage/usr"
app_id=$(sed -n 's/^set(SANXING_APP_ID \(.*\))$/\1/p' "$root/CMakeLists.txt")
release_date=$(sed -n 's/^set(SANXING_RELEASE_DATE \(.*\))$/\1/p' "$root/CMakeLists.txt")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$root/build/package-build/CMakeCache.txt")
doc=share/doc/sanxing

fail() { echo "check_install: $*" >&2; exit 1; }

for file in bin/sanxing bin/sanxing-cli "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
            share/icons/hicolor/scalable/apps/sanxing.svg share/man/man1/sanxing-cli.1.gz share/man/man1/sanxing.1.gz \
            $doc/copyright $doc/changelog.Debian.gz $doc/README.md.gz $doc/sources.json $doc/screenshots/main.png \
            share/lintian/overrides/sanxing; do
  [ -f "$usr/$file" ] || fail "missing $file"
done
for size in 48 128 256; do
  file "$usr/share/icons/hicolor/${size}x$size/apps/sanxing.png" | grep -q "$size x $size" ||
    fail "the ${size} px icon is missing or not ${size}x$size"
done

desktop-file-validate "$usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml"
grep -q '<project_license>MIT</project_license>' "$usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "the AppStream metainfo does not name the MIT licence"

# The staged programs run on their own: the version they print is the project's.
[ "$("$usr/bin/sanxing-cli" --version)" = "sanxing-cli $version" ] || fail "sanxing-cli --version is not $version"
[ "$("$usr/bin/sanxing" --version)" = "sanxing $version" ] || fail "sanxing --version is not $version"
grep -q "release version=\"$version\"" "$usr/share/metainfo/$app_id.metainfo.xml" || fail "the AppStream release is not $version"

# Man pages: every section a reader looks for, the options that print help and version.
for program in sanxing sanxing-cli; do
  page=$(zcat "$usr/share/man/man1/$program.1.gz")
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES EXAMPLES; do
    grep -qx "\.SH $section" <<<"$page" || fail "the man page of $program has no $section section"
  done
  for option in '\\-\\-help' '\\-\\-version' "$version"; do
    grep -q -- "$option" <<<"$page" || fail "the man page of $program does not mention $option"
  done
done

# The package's version and date are the newest changelog entry's, which is this release's.
changelog_version=$(dpkg-parsechangelog -l "$root/packaging/changelog" -S Version)
[ "$(dpkg-deb -f "$deb" Version)" = "$changelog_version" ] || fail "the package's version is not $changelog_version"
[[ $changelog_version == "$version"-* ]] || fail "the newest changelog entry ($changelog_version) is not one of $version"
entry_date=$(dpkg-parsechangelog -l "$root/packaging/changelog" -S Date | cut -d " " -f 2-4)
[ "$(date -d "$entry_date" +%F)" = "$release_date" ] ||
  fail "the newest changelog entry is not dated $release_date (SANXING_RELEASE_DATE)"
grep -q '^License: MIT$' "$usr/$doc/copyright" || fail "the copyright file names no MIT licence"

# Stack protector, _FORTIFY_SOURCE, RELRO, BIND_NOW and PIE in both programs. Control-flow
# protection is not asked for: Debian 12's C start files (Scrt1.o, crti.o) carry no IBT and
# SHSTK marking, so no program linked there can have it.
hardening-check --quiet --nocfprotection "$usr/bin/sanxing" "$usr/bin/sanxing-cli" || fail "hardening-check failed"

# Any lintian tag, pedantic and informational ones included, fails unless overridden.
lintian --pedantic --display-info --info --fail-on error,warning,info,pedantic "$deb" || fail "lintian found the tags above"

! grep -rlF "$root/build" "$usr" || fail "installed files refer to the build folder"
echo "check_install: the package $(basename "$deb") is valid"
