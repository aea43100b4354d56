#!/usr/bin/env bash
# Builds the Debian package into build-package/: a release build of the program alone
# (no tests or benchmarks), with Debian's hardening flags, stripped.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
build="${OCUMETRA_PACKAGE_DIR:-$here/build-package}"
jobs="${OCUMETRA_JOBS:-$(nproc 2>/dev/null || echo 2)}"
# The packaged files and folders are readable by all, whatever the caller's umask.
umask 022
# dpkg-buildflags maps the current folder out of the source paths the program logs, and
# gives all of Debian's hardening, bind-now included.
cd "$here"
export DEB_BUILD_MAINT_OPTIONS="${DEB_BUILD_MAINT_OPTIONS:-hardening=+all}"
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
      -DOCUMETRA_BUILD_TESTS=OFF -DOCUMETRA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$jobs"
(cd "$build" && cpack -G DEB)
ls "$build"/*.deb
