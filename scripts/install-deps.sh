#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests, `make run` and
# `make package` need.
# Safe to run again: only what is missing is installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-qpa-plugins libgl-dev
  libsqlite3-dev sqlite3 libpq-dev postgresql postgresql-client
  libxlsxwriter-dev libzip-dev libexpat1-dev libsodium-dev qt6-translations-l10n
  fonts-wqy-microhei
  xvfb xauth x11-utils xdotool imagemagick poppler-utils
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  dpkg-dev file clang-format
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
