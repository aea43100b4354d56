#!/usr/bin/env bash
# What scripts/test.sh ends after the tests, run for real around a stand-in for ctest
# (and for cmake and dpkg-query, so nothing is built or installed): every process a test
# left is found, ended, named and fails the run, among them one that ignores TERM and has
# no environment and the folder / (as a test's sound server has) whose parent was killed,
# and one started from the build folder; what the developer starts meanwhile (a shell in
# the build folder, the program started from it) stays untouched and unnamed. Both with
# the build folder named directly and through a symbolic link.
#   check-run-processes.sh path/to/scripts/test.sh
set -uo pipefail
source "$(dirname "$0")/checks.sh"
script="$1"
tmp="$(mktemp -d)"
mine=() # every process this script started, ended at its end
cleanup() {
  local p
  for p in "${mine[@]}"; do kill -KILL "$p" 2>/dev/null; done
  rm -rf "$tmp"
}
trap cleanup EXIT

mkdir -p "$tmp/fake" "$tmp/real/build/bin" "$tmp/tmp"
ln -s real "$tmp/link"
cp "$(command -v sleep)" "$tmp/real/build/bin/ocumetra"
fake_build_tools "$tmp/fake"
# The tests: they leave two processes and pass.
cat > "$tmp/fake/ctest" <<EOF
#!/usr/bin/env bash
mkdir -p Testing/Temporary
echo '<testsuite><testcase name="tst_fake" status="run"></testcase></testsuite>' > Testing/results.xml
echo '1/1 Testing: tst_fake' > Testing/Temporary/LastTest.log
# One ignoring TERM, with no environment, in /, orphaned by a parent killed by a signal.
{ bash -c 'env -i /bin/bash -c "trap \"\" TERM; cd /; exec sleep 301" & echo \$! > "$tmp/left-quiet.tmp"; mv "$tmp/left-quiet.tmp" "$tmp/left-quiet"; kill -KILL \$\$'; } 2>/dev/null
# The program, started from the build folder, working in it, orphaned.
(./bin/ocumetra 302 & echo \$! > "$tmp/left-program.tmp"; mv "$tmp/left-program.tmp" "$tmp/left-program")
# The developer starts the own ones now, while the tests run.
touch "$tmp/running"
for _ in \$(seq 600); do [ -e "$tmp/developer" ] && break; sleep 0.05; done
exit 0
EOF
chmod +x "$tmp/fake/"*

for build in "$tmp/real/build" "$tmp/link/build"; do
  rm -f "$tmp/running" "$tmp/developer" "$tmp"/left-*
  (cd "$tmp" && PATH="$tmp/fake:$PATH" TMPDIR="$tmp/tmp" OCUMETRA_BUILD_DIR="$build" \
     exec bash "$script") > "$tmp/run.log" 2>&1 &
  run=$!
  mine+=("$run")
  await "$tmp/running" 30 || fail "($build) the tests did not start: $(cat "$tmp/run.log")"
  # A shell open in the build folder (ignoring TERM, as an interactive one does), and the
  # program started from there.
  (cd "$tmp/real/build" && exec bash -c 'trap "" TERM; exec sleep 303') &
  shell=$!
  (cd "$build" && exec ./bin/ocumetra 304) &
  program=$!
  mine+=("$shell" "$program")
  touch "$tmp/developer"
  status=0
  wait "$run" || status=$?
  output="$(cat "$tmp/run.log")"

  [ "$status" -eq 1 ] || fail "($build) the run ended with $status, expected 1: $output"
  grep -q "Left running after the tests (now ended), which counts as failed:" <<< "$output" ||
    fail "($build) the run did not tell what it left: $output"
  for what in quiet:"sleep 301" program:"bin/ocumetra 302"; do
    pid="$(cat "$tmp/left-${what%%:*}" 2>/dev/null)"
    [ -n "$pid" ] || { fail "($build) the tests did not start ${what%%:*}"; continue; }
    mine+=("$pid")
    grep -qE "^  $pid .*${what#*:} ?$" <<< "$output" || fail "($build) ${what#*:} ($pid) not named: $output"
    ! alive "$pid" || fail "($build) ${what#*:} ($pid) left running"
  done
  for pid in "$shell" "$program"; do
    alive "$pid" || fail "($build) the developer's $(test "$pid" = "$shell" && echo shell || echo program) was ended"
    ! grep -q "^  $pid " <<< "$output" || fail "($build) the developer's process $pid was named: $output"
    kill -KILL "$pid" 2>/dev/null
    { wait "$pid"; } 2>/dev/null
  done
done

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
