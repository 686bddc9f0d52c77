#!/usr/bin/env bash
# Builds everything and runs every test: first the normal build, then the
# AddressSanitizer/UBSan build of the same tests.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

cmake --preset default
cmake --build --preset default
ctest --preset default

if [ "${ZEV_SKIP_ASAN:-0}" != 1 ]; then
  cmake --preset asan
  cmake --build --preset asan
  ctest --preset asan
fi
