#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh            normal build in build/
#   scripts/test.sh --sanitize AddressSanitizer + UBSan build in build-asan/, leaks checked
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/run-processes.sh"
# The packages first (python3 among them), then the run goes on as the subreaper of all
# it starts, below a guard that ends it however it ends.
[ -n "${OCUMETRA_RUN_STAGE:-}" ] || bash "$here/scripts/install-deps.sh" --tests
run_guarded "$0" "$@"

# Every temporary file of the tests goes into the run's folder, removed at its end, with
# whatever is left running. Set before the build: a run ended while building (its guard
# killed) ends the compilers too.
run_tmp="$OCUMETRA_RUN_TMP"
end_run() {
  end_processes
  remove_run_folder "$run_tmp"
}
trap end_run EXIT

args=()
if [ "${1:-}" = "--sanitize" ]; then
  export OCUMETRA_BUILD_DIR="${OCUMETRA_BUILD_DIR:-$here/build-asan}"
  args+=(-DOCUMETRA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS="detect_leaks=1:${ASAN_OPTIONS:-}"
  # Only leaks inside third-party libraries are suppressed, each by its frames.
  export LSAN_OPTIONS="suppressions=$here/tests/leaks.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
fi
build="${OCUMETRA_BUILD_DIR:-$here/build}"
bash "$here/scripts/build.sh" "${args[@]}"

jobs="${OCUMETRA_JOBS:-$(nproc 2>/dev/null || echo 2)}"
cd "$build"
if [ "${1:-}" = "--sanitize" ]; then
  # Mesa's GL driver is unloaded at exit while it still holds a buffer, which then reads
  # as a leak with no frames to name it by; kept loaded, the buffer stays reachable.
  dri=/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so
  if [ -e "$dri" ]; then
    export LD_PRELOAD="$dri${LD_PRELOAD:+:$LD_PRELOAD}"
    export ASAN_OPTIONS="verify_asan_link_order=0:$ASAN_OPTIONS"
  fi
fi

# What the build left running is not the tests'.
run_processes
run_exempt="${found[*]}"
export TMPDIR="$run_tmp"

# A build without tests must not pass as a green run. Last run's records go first, so
# that only this run's are read below.
rm -f Testing/results.xml Testing/Temporary/LastTest.log
# Tests a run was asked to leave out (a ctest -E pattern), named at the end; the test
# command's own tests run it again, and do not inherit the request.
leave_out_pattern="${OCUMETRA_TESTS_LEAVE_OUT:-}"
unset OCUMETRA_TESTS_LEAVE_OUT
leave_out=()
[ -z "$leave_out_pattern" ] || leave_out=(-E "$leave_out_pattern")
status=0
ctest --output-on-failure --parallel "$jobs" --no-tests=error --output-junit Testing/results.xml "${leave_out[@]}" \
  || status=$?

# A test ends what it started; what it did not is ended here and fails the run.
end_processes
if [ -n "$ended" ]; then
  echo
  echo "Left running after the tests (now ended), which counts as failed:"
  printf '%s' "$ended" | sed 's/^/  /'
  status=1
fi
if [ ! -s Testing/results.xml ] || [ ! -s Testing/Temporary/LastTest.log ]; then
  echo "ctest left no record of the tests it ran"
  exit 1
fi

# A skipped test is a failure: a test ctest did not run (exit code 77, disabled) and a
# case a test program skipped (QSKIP) are named here, at the end, and fail the run.
skipped="$(sed -n 's/.*<testcase name="\([^"]*\)".*status="\(notrun\|disabled\)".*/\1/p' Testing/results.xml
           awk '/^[0-9]+\/[0-9]+ Testing: /{test=$3} /^SKIP   : /{sub(/^SKIP   : /, ""); print test ": " $0}' \
               Testing/Temporary/LastTest.log)"
if [ -n "$skipped" ]; then
  echo
  echo "Skipped, which counts as failed:"
  sed 's/^/  /' <<< "$skipped"
  [ "$status" -ne 0 ] || status=1
fi
if [ ${#leave_out[@]} -gt 0 ]; then
  echo
  echo "Left out as asked (OCUMETRA_TESTS_LEAVE_OUT):"
  ctest -N -R "$leave_out_pattern" | sed -n 's/^ *Test *#[0-9]*: /  /p'
fi
exit "$status"
