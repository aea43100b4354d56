#!/usr/bin/env bash
# Configures and builds into build/ (or $OCUMETRA_BUILD_DIR). Extra arguments go to cmake.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${OCUMETRA_BUILD_DIR:-$here/build}"
jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S "$here" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" --parallel "$jobs"
