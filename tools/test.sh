#!/usr/bin/env bash
# Builds everything and runs every test: first the normal build, then the
# AddressSanitizer/UBSan build of the same tests (both replay the fuzz corpora
# as ordinary tests), then each libFuzzer program briefly (ZEV_FUZZ_SECONDS,
# default 3 each; ZEV_SKIP_FUZZ=1 leaves that out).
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

if [ "${ZEV_SKIP_FUZZ:-0}" != 1 ]; then
  tools/fuzz.sh "${ZEV_FUZZ_SECONDS:-3}"
fi
