#!/usr/bin/env bash
# Installs the Debian 12 packages a task needs:
#   run      building and running the program (the default), with Xvfb and
#            x11vnc to serve its window on a machine without a display;
#   package  that, and building its Debian package;
#   test     that, and the tests and benchmarks: a PostgreSQL server, the
#            test and bench libraries, the tools that drive and look at windows.
# Safe to run again: only what is missing is installed.
set -euo pipefail
task=${1:-run}

run_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-qpa-plugins libgl-dev
  libsqlite3-dev libpq-dev libxlsxwriter-dev libzip-dev libexpat1-dev libsodium-dev
  qt6-translations-l10n fonts-wqy-microhei
  xvfb xauth x11vnc
)
package_packages=(dpkg-dev file lintian)
test_packages=(
  sqlite3 postgresql postgresql-client
  x11-utils xdotool imagemagick poppler-utils
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang-format
)

case "$task" in
  run) packages=("${run_packages[@]}") ;;
  package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${package_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 [run|package|test]" >&2
    exit 2
    ;;
esac

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
