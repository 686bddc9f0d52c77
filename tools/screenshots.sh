#!/usr/bin/env bash
# Starts ZevSatchel under a virtual X display against the demo distributor
# (reference server with generated demo data on a free loopback port) and
# saves a screenshot of each screen: start, first-time setup, sign-in,
# maintenance, maintenance during and after a complete update.
#
#   tools/screenshots.sh [BUILD_DIR] [OUTPUT_DIR]
#
# BUILD_DIR defaults to build/default (it must hold bin/ZevSatchel,
# bin/zevserver, bin/zevdemo and the demo kit in demo/); OUTPUT_DIR defaults
# to screenshots/. Needs xvfb-run, import (imagemagick) and xdotool. Nothing
# outside a temporary folder is touched: the program's profile and data live
# there too.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build/default}" && pwd)
out=${2:-$top/screenshots}
bin=$build/bin
kit=$build/demo

for tool in xvfb-run import xdotool; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (apt-get install xvfb imagemagick xdotool)" >&2; exit 1; }
done
for f in "$bin/ZevSatchel" "$bin/zevserver" "$bin/zevdemo" "$kit/ZevSatchel.INI"; do
  [ -e "$f" ] || { echo "screenshots: $f not found; build first" >&2; exit 1; }
done
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d)
server_pid=
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p -m 700 "$work/server" "$work/data" "$work/config" "$work/home"
export ZEV_DATA_DIR=$work/data
export ZEV_CONFIG_DIR=$work/config

echo "Generating the demo data..."
"$bin/zevdemo" --data "$work/server" --schema "$kit/ZevSchema.ini" >/dev/null
"$bin/zevserver" --port 0 --data "$work/server" --schema "$kit/ZevSchema.ini" >"$work/server.log" 2>&1 &
server_pid=$!
port=
for _ in $(seq 100); do
  port=$(sed -n 's/^listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/server.log" | head -1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "screenshots: the reference server did not start" >&2; cat "$work/server.log" >&2; exit 1; }
echo "Reference server on 127.0.0.1:$port"

# The installation folder: the kit with the server's port.
for f in "$kit"/*; do cp -L "$f" "$work/home/"; done
sed -i "s/^PORT=.*/PORT=$port/; s/^DEFAULTHOST=.*/DEFAULTHOST=127.0.0.1/; s/^BACKUPHOST=.*/BACKUPHOST=127.0.0.1/" \
  "$work/home/ZevSatchel.INI"

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
shot() { sleep 0.7; import -window root "$OUT/$1.png"; echo "  $1.png"; }
newest() { xdotool search --sync --onlyvisible --classname "$1" 2>/dev/null | tail -1; }
# Without a window manager a click is what reliably gives a window the
# keyboard: click an empty spot of the newest window (bottom left corner).
focus() {
  local w; w=$(newest ZevSatchel)
  eval "$(xdotool getwindowgeometry --shell "$w")"
  xdotool mousemove --sync $((X + 8)) $((Y + HEIGHT - 40)) click 1
  sleep 0.5
}
type_text() { xdotool type --delay 80 "$1"; sleep 0.3; }
key() { xdotool key --delay 150 "$@"; sleep 0.3; }
profile_has() { grep -qs "^$1=" "$ZEV_CONFIG_DIR"/*/Satchel.ini; }

"$BIN/ZevSatchel" --home "$HOMEDIR" >"$WORK/app.log" 2>&1 &
app=$!
newest ZevSatchel >/dev/null
shot 01-start
sleep 3.5
shot 02-setup
focus; sleep 2
key ctrl+a BackSpace
type_text 100200; key Tab; type_text demo1234; key Tab; type_text demo1234; key Return
for _ in $(seq 25); do profile_has UserID && break; sleep 0.2; done
if ! profile_has UserID; then
  shot 03-setup-input-lost
  echo "screenshots: the typed setup entries did not reach the window; later screens skipped" >&2
  kill "$app" 2>/dev/null || true
  exit 1
fi
sleep 1.5
shot 03-signin
focus
type_text demo1234; key Return
sleep 2
shot 04-signin-first-download-notice
focus; key Return
sleep 1
shot 05-maintenance
focus
key alt+c
sleep 1.5
shot 06-complete-update-question
focus; key Return
for _ in $(seq 30); do profile_has LastRenewTable && break; sleep 0.2; done
sleep 1
shot 07-maintenance-during-update
for _ in $(seq 360); do profile_has LastRenewUD && break; sleep 0.5; done
sleep 2
shot 08-maintenance-after-update
# A message box (new messages) may be open; answer it, then look again.
focus; key Return; sleep 1
shot 09-maintenance-ready
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
DRIVE

echo "Taking screenshots into $out"
OUT=$out BIN=$bin HOMEDIR=$work/home WORK=$work \
  xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/drive.sh"
if [ -s "$work/app.log" ]; then
  echo "Program output:"; sed 's/^/  /' "$work/app.log"
fi
