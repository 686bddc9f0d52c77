#!/usr/bin/env bash
# Builds the libFuzzer programs with clang in build/fuzz and runs each for a
# given time. Usage: tools/fuzz.sh [SECONDS_EACH] [NAME...]
#   SECONDS_EACH  time per fuzzer (default 60)
#   NAME          harness names (TableFile, Reply, SqlDialect, IniReader,
#                 ZevConfig, FormBody, OrderBody, UploadBody); default all
# Environment: ZEV_FUZZ_NICE (default 0) runs the fuzzers under nice;
# ZEV_FUZZ_WORK (default build/fuzz/work) holds the growing corpora, the
# crash inputs and one log per fuzzer.
# The checked-in seeds (tests/fuzz/corpus/NAME) are read, never written. A
# crash input is left in WORK/crashes/NAME and the script exits 1; keep it in
# tests/fuzz/regressions/NAME so every test run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
all=(TableFile Reply SqlDialect IniReader ZevConfig FormBody OrderBody UploadBody)
names=("$@")
[ ${#names[@]} -eq 0 ] && names=("${all[@]}")
work=${ZEV_FUZZ_WORK:-build/fuzz/work}
nicelevel=${ZEV_FUZZ_NICE:-0}

targets=()
for n in "${names[@]}"; do targets+=("fuzz_$n"); done
if [ ! -f build/fuzz/CMakeCache.txt ]; then
  CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEV_BUILD_FUZZERS=ON -DZEV_BUILD_GUI=OFF \
    -DZEV_BUILD_BENCH=OFF -DZEV_WERROR=OFF >/dev/null
fi
cmake --build build/fuzz -j 2 --target "${targets[@]}"

status=0
total=0
for n in "${names[@]}"; do
  corpus="$work/corpus/$n"
  crashes="$work/crashes/$n"
  mkdir -p "$corpus" "$crashes"
  extra=()
  case $n in
    ZevConfig) extra+=(-max_len=20000) ;;
    TableFile) extra+=(-max_len=16384) ;;
  esac
  log="$work/$n.log"
  set +e
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    nice -n "$nicelevel" "build/fuzz/bin/fuzz_$n" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$crashes/" "${extra[@]}" "$corpus" "tests/fuzz/corpus/$n" >"$log" 2>&1
  rc=$?
  set -e
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  runs=${runs:-0}
  total=$((total + runs))
  if [ $rc -ne 0 ]; then
    echo "fuzz_$n: FAILED after $runs runs (exit $rc); crash input in $crashes, log in $log"
    grep -m5 -E 'ERROR|SUMMARY|runtime error' "$log" || true
    status=1
  else
    echo "fuzz_$n: $runs runs in ${seconds}s, no finding"
  fi
done
echo "total: $total runs"
exit $status
