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
  exit 0
fi

# No display (a server, a container, a remote shell): the command-line
# companion does what the program would, on the same data and profile.
satchel() { "$bin/satchel" --home "$kit" "$@"; }
# The value of a one-number query (the third line of the companion's table).
number() { satchel sql "$1" | sed -n 3p | tr -d ' '; }

echo
echo "No display here, so the companion 'satchel' sets up the demo representative and downloads the data."
status=$(satchel status 2>&1 || true)
if grep -q "not set up yet" <<<"$status"; then
  echo "Setting up representative 100200..."
  printf 'demo1234\n' | satchel setup --user 100200 --password-stdin
fi
echo "Complete update (downloads the representative's accounts, items and prices):"
satchel --yes sync --complete

# Today's weekday is position 1 (Sunday) to 7 of the ApptDays pattern.
day=$(( $(date +%w) + 1 ))
pattern=$(printf '%*s' $((day - 1)) '' | tr ' ' '_')Y%
weekday=$(date +%A)
accounts=$(number "select count(*) from Accounts")
items=$(number "select count(*) from Items where DeletedFlag = 0")
calls=$(number "select count(*) from Accounts where ApptDays like '$pattern'")
waiting=$(number "select count(*) from ReadyOrder")

cat <<SUMMARY

Representative 100200 is ready on this computer:
  accounts              ${accounts:-?}
  items for sale        ${items:-?}
  calls planned today   ${calls:-?} ($weekday)
  orders waiting        ${waiting:-?} (taken here, not yet sent to the distributor)

To see the screens:
  tools/screenshots.sh        saves a picture of each screen to build/screenshots/ (uses Xvfb)
  tools/demo.sh               again on a machine with a display, to use the program itself
To look around from here:
  $bin/satchel --home $kit status
  $bin/satchel --home $kit sql "select CompanyName, City from Accounts"
SUMMARY
