#!/usr/bin/env bash
# Starts the host shell on the demo company as administrator. The database
# is created on first run. Without a display the shell serves its window over
# VNC on port 5900.
set -euo pipefail
build_dir=${1:-build}
db=${2:-$HOME/.local/share/qor-erp/demo.db}
cd "$(dirname "$0")/.."
shell="$build_dir/app/qor-erp"

if [ ! -f "$db" ]; then
  mkdir -p "$(dirname "$db")"
  "$shell" --create-demo "$db"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "没有图形显示: 窗口通过 Qt 的 VNC 平台提供，请用任意 VNC 查看器连接 127.0.0.1:5900 (Ctrl+C 结束)。"
fi
exec "$shell" --db "$db" --user administrator --password demo
