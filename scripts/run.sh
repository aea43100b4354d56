#!/usr/bin/env bash
# Installs what building and running the program needs, builds it, and starts it.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
# Only the program (with the translations it loads) is built: the tests and benchmarks
# need packages this command does not install. scripts/test.sh switches them on again.
bash "$here/scripts/build.sh" --target ocumetra -DOCUMETRA_BUILD_TESTS=OFF -DOCUMETRA_BUILD_BENCH=OFF
exec "${OCUMETRA_BUILD_DIR:-$here/build}/bin/ocumetra" "$@"
