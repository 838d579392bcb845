#!/usr/bin/env bash
# Installs what is missing, builds Tarvelino and starts it with the given files.
# With no argument it plays a short demo clip with a subtitle, made once and cached.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DTARVELINO_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target tarvelino
if [ $# -eq 0 ]; then
  demo=$(./scripts/make-demo.sh)
  set -- "$demo"
fi
exec "$build/app/tarvelino" "$@"
