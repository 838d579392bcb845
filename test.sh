#!/usr/bin/env bash
# Installs what is missing, builds Tarvelino with its tests, and runs every test with CTest.
# Display tests run under a virtual X server (xvfb-run); the rest need no display.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DTARVELINO_TESTS=ON >/dev/null
cmake --build "$build" -j2
export CTEST_OUTPUT_ON_FAILURE=1
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$build" -j2 --timeout 300 "$@"
