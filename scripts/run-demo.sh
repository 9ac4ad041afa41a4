#!/usr/bin/env bash
# Starts the host shell on the demo company as administrator. The database
# is created on first run. Without a display the window is served to this
# machine only: a virtual X server (Xvfb) and a VNC server on 127.0.0.1:5900
# (x11vnc) with a one-time password. Ctrl+C ends it all.
set -euo pipefail
build_dir=${1:-build}
db=${2:-$HOME/.local/share/qor-erp/demo.db}
cd "$(dirname "$0")/.."
shell="$build_dir/app/qor-erp"

if [ ! -f "$db" ]; then
  mkdir -p "$(dirname "$db")"
  "$shell" --create-demo "$db"
fi
run_shell() { "$shell" --db "$db" --user administrator --password demo; }

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  run_shell
  exit
fi

work=$(mktemp -d)
pids=()
stop() {
  [ ${#pids[@]} -eq 0 ] || kill "${pids[@]}" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 0' INT TERM

number=
for n in $(seq 99 -1 20); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    number=$n
    break
  fi
done
[ -n "$number" ] || { echo "没有空闲的 X 显示编号。" >&2; exit 1; }
Xvfb ":$number" -screen 0 1280x800x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X$number" ] && break
  sleep 0.1
done

# VNC passwords are at most eight characters: four random bytes in hex.
password=$(od -An -N4 -tx1 /dev/urandom | tr -d ' \n')
x11vnc -storepasswd "$password" "$work/passwd" > /dev/null 2>&1
x11vnc -display ":$number" -localhost -rfbport 5900 -rfbauth "$work/passwd" -forever -shared -quiet \
  > "$work/x11vnc.log" 2>&1 &
pids+=($!)

cat <<TEXT
没有图形显示。窗口只提供给本机的 VNC 查看器: 127.0.0.1:5900，一次性密码: $password
从另一台电脑查看时先建 SSH 隧道: ssh -L 5900:127.0.0.1:5900 $(id -un)@$(hostname)
然后让查看器连接它自己的 127.0.0.1:5900。按 Ctrl+C 结束。
TEXT
DISPLAY=":$number" run_shell
