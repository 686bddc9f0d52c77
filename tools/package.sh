#!/usr/bin/env bash
# Builds the Debian packages zevsatchel and zevsatchel-server with CPack from
# an existing build tree (default build/default; configured and built first
# when missing) and checks them:
#   - lintian: errors fail; every warning must be one the README justifies;
#   - the packages unpacked into a clean folder (dpkg -x): every program
#     answers --version and --help there (ZevSatchel without a display), and
#     satchel starts from the unpacked tree without --home (kit and helper
#     libraries found from its own location);
#   - manual pages (man --warnings), desktop entry, AppStream metadata and the
#     systemd units as installed.
# Usage: tools/package.sh [--build DIR] [--no-build] [--no-check]
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/default
check=1
rebuild=1
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --no-check) check=0; shift ;;
    --no-build) rebuild=0; shift ;;
    -h|--help) sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "package.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done

tools/install-deps.sh

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset default
fi
[ "$rebuild" = 0 ] || cmake --build "$build"
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB)
mapfile -t debs < <(ls "$build"/packages/*.deb)
printf 'built %s\n' "${debs[@]}"
[ "$check" = 1 ] || exit 0

fail=0
failed() { echo "package check FAILED: $*" >&2; fail=1; }

# --- lintian --------------------------------------------------------------
# Exit status 1 means tags at the failing level (errors); anything else
# beyond 0 means lintian itself did not run through.
lintian_rc=0
lintian_out=$(lintian --tag-display-limit 0 "${debs[@]}" 2>&1) || lintian_rc=$?
echo "$lintian_out"
if [ "$lintian_rc" -gt 1 ]; then
  failed "lintian did not run (exit status $lintian_rc)"
elif [ "$lintian_rc" = 1 ] || grep -q '^E: ' <<<"$lintian_out"; then
  failed "lintian reports errors"
fi
# Warnings are accepted only when the README names and justifies them.
while read -r tag; do
  [ -n "$tag" ] || continue
  grep -q -- "\`$tag\`" README.md || failed "lintian warning $tag is not justified in README.md"
done < <(sed -n 's/^W: [^:]*: \([a-z0-9-]*\).*/\1/p' <<<"$lintian_out" | sort -u)

# --- unpacked into a clean folder -------------------------------------------
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
for deb in "${debs[@]}"; do dpkg -x "$deb" "$tree/root"; done
bin=$tree/root/usr/bin
programs=(satchel zevserver zevdemo zevconfig zevsql)
gui=0
# A tree configured without Qt (-DZEV_BUILD_GUI=OFF) packages no program window.
if grep -q '^ZEV_BUILD_GUI:BOOL=OFF' "$build/CMakeCache.txt"; then
  echo "built without the program's window: ZevSatchel, its desktop entry and metadata are not checked"
else
  gui=1
  programs+=(ZevSatchel)
fi
for program in "${programs[@]}"; do
  [ -x "$bin/$program" ] || { failed "$program is not in the package"; continue; }
  # No display, no platform plugin override: --version must not start Qt.
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/$program" --version) ||
    failed "$program --version exits non-zero"
  grep -q "0\.[0-9]" <<<"$out" || failed "$program --version printed '$out'"
  echo "$out"
  help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin/$program" --help 2>/dev/null) ||
    failed "$program --help exits non-zero"
  grep -qi "usage" <<<"$help" || failed "$program --help prints no usage on standard output"
done

# satchel from the unpacked tree, no --home: it must find the kit in
# share/zevsatchel and the helper libraries in the private folder (the kit
# holds none), with a private profile and data folder; a statement on the
# local database needs all of that.
home=$tree/home
mkdir -p "$home"
if ! out=$(HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data ZEV_DATA_DIR= ZEV_CONFIG_DIR= \
           "$bin/satchel" --no sql "select 1 as one" </dev/null 2>&1); then
  echo "$out"
  failed "satchel from the unpacked tree without --home"
fi
grep -q "(1 row)" <<<"$out" || failed "satchel sql from the unpacked tree printed '$out'"

# Manual pages as installed.
for page in "$tree"/root/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$warnings"; failed "man --warnings $(basename "$page")"; }
done
[ -e "$tree/root/usr/share/man/man1/satchel.1.gz" ] || failed "satchel.1 is not installed"

if [ "$gui" = 1 ]; then
  appstreamcli validate --no-net "$tree"/root/usr/share/metainfo/*.metainfo.xml || failed "appstreamcli validate"
  desktop-file-validate "$tree"/root/usr/share/applications/*.desktop || failed "desktop-file-validate"
fi
if command -v systemd-analyze >/dev/null; then
  # satchel is not installed on this machine, only unpacked: that one complaint is expected.
  units=$(systemd-analyze verify --man=no "$tree"/root/usr/lib/systemd/user/zevsatchel-sync.{service,timer} 2>&1 |
          grep -v "Command /usr/bin/satchel is not executable") || true
  [ -z "$units" ] || { echo "$units"; failed "systemd-analyze verify"; }
fi

if [ "$fail" != 0 ]; then
  exit 1
fi
echo "packages checked: ${debs[*]}"
