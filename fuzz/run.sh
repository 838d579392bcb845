#!/usr/bin/env bash
# Builds the fuzz targets (clang's libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer) in a build folder of their own and runs each for
# a fixed time, starting from its seeds in fuzz/corpus/<target>/.
#   fuzz/run.sh [seconds per target, default 60] [target ...]
# BUILD_DIR: the build folder (default build-fuzz in the source folder). The
# inputs a run adds and any finding go to $BUILD_DIR/fuzz-work/<target>/; the
# seeds in the repository are never changed. Exits 1 when a target found a
# crash, a leak, a hang or a failed check (the input is in findings/).
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build=${BUILD_DIR:-$src/build-fuzz}

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is not installed" >&2
  exit 77
fi
cmake -S "$src" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVELINO_FUZZ=ON -DTARVELINO_TESTS=OFF \
  "-DTARVELINO_MODULES=texts;settings;subtitles;playlist;moviememory;audio" >/dev/null
cmake --build "$build" -j2 --target fuzz_all >/dev/null

if [ $# -gt 0 ]; then
  targets=("$@")
else
  IFS=";" read -r -a targets <"$build/fuzz_targets.txt" || true
fi

failed=0
for t in "${targets[@]}"; do
  work=$build/fuzz-work/$t
  mkdir -p "$work/corpus" "$work/findings"
  # Language files need their 266 lines, so inputs may be longer than the
  # default; -timeout turns a hang into a finding.
  status=ok
  if ! "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -max_len=65536 \
      -print_final_stats=1 -artifact_prefix="$work/findings/" \
      "$work/corpus" "$src/fuzz/corpus/$t" >"$work/log" 2>&1; then
    status="FAILED (see $work/log)"
    failed=1
  fi
  execs=$(awk '/stat::number_of_executed_units/ {print $2}' "$work/log")
  printf '%-20s %12s executions in %ss  %s\n' "$t" "${execs:-?}" "$seconds" "$status"
done
exit $failed
