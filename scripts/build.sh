#!/usr/bin/env bash
# Configures and builds into build/ (or $OCUMETRA_BUILD_DIR), the tests, the simulated
# camera and the benchmarks included. Extra arguments go to cmake's configure step.
#   scripts/build.sh --target NAME ...   builds that target only
# OCUMETRA_JOBS=N limits the parallel jobs (default: every core).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${OCUMETRA_BUILD_DIR:-$here/build}"
jobs="${OCUMETRA_JOBS:-$(nproc 2>/dev/null || echo 2)}"
target=()
if [ "${1:-}" = "--target" ]; then
  target=(--target "$2")
  shift 2
fi
# Tests are switched on explicitly: an older cache may hold them off.
cmake -S "$here" -B "$build" -G Ninja -DOCUMETRA_BUILD_TESTS=ON -DOCUMETRA_BUILD_BENCH=ON "$@" >/dev/null
cmake --build "$build" --parallel "$jobs" "${target[@]}"
