#!/usr/bin/env bash
# Starts the host shell on the demo company as administrator. The database
# is created on first run. Without a display the shell itself serves its
# window over VNC on port 5900 and says so.
set -euo pipefail
build_dir=${1:-build}
db=${2:-$HOME/.local/share/qor-erp/demo.db}
cd "$(dirname "$0")/.."
shell="$build_dir/app/qor-erp"

if [ ! -f "$db" ]; then
  mkdir -p "$(dirname "$db")"
  "$shell" --create-demo "$db"
fi

exec "$shell" --db "$db" --user administrator --password demo
