#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing sanxing need.
# Packages already present are skipped; nothing is asked.
set -euo pipefail

packages=(
  g++ make cmake pkg-config ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-multimedia-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n libgl-dev
  libcurl4-openssl-dev libpcre2-dev libxml2-dev nlohmann-json3-dev libsqlite3-dev
  clang libclang-rt-14-dev clang-format-14
  help2man desktop-file-utils appstream librsvg2-bin dpkg-dev file
  lintian devscripts  # check_install.sh: lintian, hardening-check
  fonts-wqy-microhei xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
