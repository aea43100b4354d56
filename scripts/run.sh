#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
bash "$here/scripts/build.sh" -DOCUMETRA_BUILD_TESTS=OFF -DOCUMETRA_BUILD_BENCH=OFF
exec "${OCUMETRA_BUILD_DIR:-$here/build}/bin/ocumetra" "$@"
