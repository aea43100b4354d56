#!/usr/bin/env bash
# Builds the Debian package into build-package/ (program only, no tests or benchmarks).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
build="${OCUMETRA_PACKAGE_DIR:-$here/build-package}"
jobs="${OCUMETRA_JOBS:-$(nproc 2>/dev/null || echo 2)}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DOCUMETRA_BUILD_TESTS=OFF -DOCUMETRA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$jobs"
(cd "$build" && cpack -G DEB)
ls "$build"/*.deb
