#!/usr/bin/env bash
# Static checks run by CI: the format of every C++ file against .clang-format,
# then clang-tidy with the checks of .clang-tidy over the sources the default
# build compiles. Usage: tools/lint.sh [--format-only | --tidy-only] [--logic]
#   --logic        clang-tidy over the plain C++ of the program only: not the
#                  Qt views, tests and benchmarks, whose Qt headers make up
#                  most of a whole run's 8 to 15 minutes on two cores (what CI
#                  runs)
#   ZEV_LINT_JOBS  parallel clang-tidy processes (default: the number of CPUs)
# Exits 1 when a file is not formatted or clang-tidy reports anything.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=all
logic=0
for arg in "$@"; do
  case $arg in
    --format-only | --tidy-only) mode=$arg ;;
    --logic) logic=1 ;;
    *)
      echo "usage: tools/lint.sh [--format-only | --tidy-only] [--logic]" >&2
      exit 2
      ;;
  esac
done
status=0

if [ "$mode" != --tidy-only ]; then
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.h' '*.cpp')
  else
    # A source tree without its history (an exported copy): every C++ file
    # outside the build folders.
    mapfile -t files < <(find . -path ./build -prune -o \( -name '*.h' -o -name '*.cpp' \) -print | sed 's|^\./||' | sort)
  fi
  bad=()
  for f in "${files[@]}"; do
    if ! clang-format --dry-run -Werror "$f" >/dev/null 2>&1; then
      bad+=("$f")
    fi
  done
  if [ ${#bad[@]} -gt 0 ]; then
    printf 'not formatted (clang-format -i FILE): %s\n' "${bad[@]}"
    status=1
  fi
fi

if [ "$mode" != --format-only ]; then
  db=build/default/compile_commands.json
  if [ ! -f "$db" ]; then
    echo "lint: $db missing; run cmake --preset default first" >&2
    exit 2
  fi
  # Sources only (headers are checked through them); generated files left out.
  if [ $logic = 1 ]; then
    mapfile -t sources < <(git ls-files '*.cpp' | grep -v -E '^(tests|bench)/|/views/|^app/ui/|^app/[^/]+\.cpp$')
  else
    mapfile -t sources < <(git ls-files '*.cpp' | grep -v '^tests/fuzz/')
  fi
  # The build uses gcc; clang does not know some of its warning options.
  if ! run-clang-tidy -quiet -extra-arg=-Wno-unknown-warning-option -p build/default -j "${ZEV_LINT_JOBS:-$(nproc)}" "${sources[@]/#/$PWD/}" \
      > build/default/clang-tidy.log 2>&1; then
    status=1
  fi
  if grep -E '(warning|error): ' build/default/clang-tidy.log; then
    status=1
  fi
fi

exit $status
