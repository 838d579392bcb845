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
# -noreset: the server would otherwise reset whenever its last client leaves,
# and a test that starts the player again at that moment could not connect.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir "$build" -j2 --timeout 300 "$@"
