#!/usr/bin/env bash
# Tries the Debian package as a new user would: installs it, runs
# `qor-erp --help` and a headless list as an unprivileged user, then removes
# and purges it and checks that nothing is left outside that user's home.
# Runs as root on a machine where the package may come and go.
# Usage: scripts/package-test.sh [build/qor-erp_<version>_amd64.deb]
set -euo pipefail
deb=${1:-$(find build -maxdepth 1 -name "qor-erp_*_amd64.deb" | head -1)}
user=qor-package-test
[ "$(id -u)" -eq 0 ] || { echo "run as root: the package is installed and removed" >&2; exit 2; }

fail() { echo "FAILED: $*" >&2; exit 1; }
as_user() { runuser -u "$user" -- env -i HOME="/home/$user" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"; }

id "$user" > /dev/null 2>&1 || useradd --create-home --shell /bin/sh "$user"
trap 'userdel --remove "$user" 2> /dev/null || true' EXIT

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$(realpath "$deb")" > /dev/null
grep -q QOROrderBatchTrace /etc/xdg/qor-erp/components.ini || fail "the component library is not registered"

as_user qor-erp --help > /dev/null || fail "qor-erp --help"
as_user qor-erp --create-demo "/home/$user/demo.db" > /dev/null || fail "--create-demo"
errors=$(as_user qor-erp list --db "/home/$user/demo.db" --user viewer --password demo --all 2>&1 > /dev/null)
[ -z "$errors" ] || fail "a headless list wrote to standard error: $errors"
rows=$(as_user qor-erp list --db "/home/$user/demo.db" --user viewer --password demo --all | wc -l)
[ "$rows" -gt 1 ] || fail "the headless list printed no records"
man -w qor-erp > /dev/null || fail "no manual page"

apt-get remove -y -qq qor-erp > /dev/null
apt-get purge -y -qq qor-erp > /dev/null
for left in /usr/bin/qor-erp /usr/lib/qor-erp /usr/share/qor-erp /usr/share/doc/qor-erp /etc/xdg/qor-erp; do
  [ ! -e "$left" ] || fail "$left is still there after purge"
done
echo "package test passed: installed, run as $user, removed and purged"
