#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need.
# Idempotent: does nothing when everything is already there.
# clang and libclang-rt-14-dev build the libFuzzer programs (tools/fuzz.sh);
# clang-format and clang-tidy are the checks of tools/lint.sh, both run in CI.
# libreoffice-calc-nogui (about 80 MB to download) lets a test open the
# exported order guide in a real spreadsheet program.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-private-dev libgl-dev
  libsqlite3-dev sqlite3
  libcurl4-openssl-dev libcpp-httplib-dev libssl-dev zlib1g-dev openssl
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils openbox imagemagick xdotool curl
  file dpkg-dev lintian appstream desktop-file-utils man-db
  poppler-utils libxml2-dev libreoffice-calc-nogui
  clang libclang-rt-14-dev clang-format clang-tidy
  locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# A comma-decimal locale for the tests that prove numbers leave the program
# in the C form whatever the user's locale.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
