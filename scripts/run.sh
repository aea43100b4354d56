#!/usr/bin/env bash
# Installs what is missing, builds the program, and starts it.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
# Only the program (with the translations it loads) is built; the build folder stays
# configured for the tests.
bash "$here/scripts/build.sh" --target ocumetra
exec "${OCUMETRA_BUILD_DIR:-$here/build}/bin/ocumetra" "$@"
