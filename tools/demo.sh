#!/usr/bin/env bash
# Installs what is needed, builds, starts the reference server with the demo
# distributor's data on 127.0.0.1:8642 and starts the program against it.
# The demo keeps its own data folder, so it never touches a real installation.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default

bin=$top/build/default/bin
kit=$top/build/default/demo
state=${XDG_DATA_HOME:-$HOME/.local/share}/ZevSatchel-demo
mkdir -p -m 700 "$state/server"
export ZEV_DATA_DIR=$state/client
export ZEV_CONFIG_DIR=$state/config

if [ ! -f "$state/server/server.db" ]; then
  echo "Generating the demo distributor's data..."
  "$bin/zevdemo" --data "$state/server" --schema "$kit/ZevSchema.ini"
fi

# One demo server at a time: reuse one that is already answering.
if ! curl -s -o /dev/null --max-time 2 -X POST "http://127.0.0.1:8642/MobileServer/v1/goodmorning.cfm"; then
  "$bin/zevserver" --port 8642 --data "$state/server" --schema "$kit/ZevSchema.ini" \
      >"$state/server/stdout.log" 2>&1 &
  server_pid=$!
  trap 'kill $server_pid 2>/dev/null || true' EXIT
  for _ in $(seq 50); do
    grep -q "listening on" "$state/server/stdout.log" 2>/dev/null && break
    sleep 0.1
  done
fi
echo "Reference server on http://127.0.0.1:8642 (data in $state/server)"
echo "Demo representative: user ID 100200, password demo1234"

if [ -x "$bin/ZevSatchel" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  "$bin/ZevSatchel" --home "$kit"
elif [ -x "$bin/ZevSatchel" ]; then
  echo "No display: starting the program under Xvfb is what tools/screenshots.sh does; showing the companion's status instead."
  "$bin/satchel" --home "$kit" status || true
else
  "$bin/satchel" --home "$kit" status || true
fi
