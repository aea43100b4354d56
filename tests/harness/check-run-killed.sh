#!/usr/bin/env bash
# scripts/test.sh killed with SIGKILL while its tests run, around a stand-in for ctest
# (and for cmake and dpkg-query) that starts a test on an X server of its own and leaves
# an orphan that ignores TERM: 5 s later none of the run's processes runs and its
# temporary folder is gone. A run whose processes were all killed at once leaves its
# folder, which the next run removes; two runs at once keep each other's.
#   check-run-killed.sh path/to/scripts/test.sh path/to/xserver-run.sh
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/checks.sh"
source "$here/../../scripts/run-processes.sh"
script="$1"
xserver_run="$2"
tmp="$(mktemp -d)"
mine=() # every process this script started or found in a run, ended at its end
cleanup() {
  local p
  for p in "${mine[@]}"; do kill -KILL "$p" 2>/dev/null; done
  rm -rf "$tmp"
}
trap cleanup EXIT

mkdir -p "$tmp/fake" "$tmp/tmp"
fake_build_tools "$tmp/fake"
# Run n tells its folder; runs 1 and 2 leave an orphan ignoring TERM, run 1 also runs a
# test on an X server of its own; each waits until told to finish, then passes.
cat > "$tmp/fake/ctest" <<EOF
#!/usr/bin/env bash
mkdir -p Testing/Temporary
echo '<testsuite><testcase name="tst_fake" status="run"></testcase></testsuite>' > Testing/results.xml
echo '1/1 Testing: tst_fake' > Testing/Temporary/LastTest.log
n="\$FAKE_RUN"
echo "\$TMPDIR" > "$tmp/folder-\$n"
touch "\$TMPDIR/file"
if [ "\$n" = 1 ]; then
  bash "$xserver_run" -- bash -c 'touch "$tmp/x-1"; exec sleep 300' &
  for _ in \$(seq 300); do [ -e "$tmp/x-1" ] && break; sleep 0.1; done
fi
if [ "\$n" -le 2 ]; then
  { bash -c 'env -i /bin/bash -c "trap \"\" TERM; cd /; exec sleep 301" & kill -KILL \$\$'; } 2>/dev/null
fi
touch "$tmp/running-\$n"
for _ in \$(seq 900); do [ -e "$tmp/finish-\$n" ] && exit 0; sleep 0.1; done
EOF
chmod +x "$tmp/fake/ctest"

declare -A runs=()
start_run() {
  mkdir -p "$tmp/build-$1"
  (cd "$tmp" && PATH="$tmp/fake:$PATH" TMPDIR="$tmp/tmp" OCUMETRA_BUILD_DIR="$tmp/build-$1" FAKE_RUN="$1" \
     exec bash "$script") > "$tmp/run-$1.log" 2>&1 &
  runs[$1]=$!
  mine+=("$!")
  await "$tmp/running-$1" 60 || fail "run $1 did not start its tests: $(cat "$tmp/run-$1.log")"
}
# The processes of run $1 now, into found; each ended at the end of this script.
run_of() {
  run_processes "${runs[$1]}"
  mine+=("${found[@]}")
}
folder() { cat "$tmp/folder-$1" 2>/dev/null; }

# Killed while its tests run: it leaves nothing.
start_run 1
run_of 1
[ "${#found[@]}" -ge 5 ] || fail "run 1 has too few processes to tell: ${found[*]}"
before=("${found[@]}")
{ kill -KILL "${runs[1]}"; wait "${runs[1]}"; } 2>/dev/null
sleep 5
left=""
for pid in "${before[@]}"; do
  alive "$pid" && left+=" $pid ($(tr '\0' ' ' < "/proc/$pid/cmdline" 2>/dev/null))"
done
[ -z "$left" ] || fail "5 s after the run was killed, still running:$left"
[ -n "$(folder 1)" ] && [ ! -e "$(folder 1)" ] || fail "the killed run left its folder $(folder 1)"

# Every process of a run killed at once: its folder stays until the next run.
start_run 2
run_of 2
{ kill -KILL "${runs[2]}" "${found[@]}"; wait "${runs[2]}"; } 2>/dev/null
sleep 0.5
[ -n "$(folder 2)" ] && [ -d "$(folder 2)" ] || fail "run 2 had no folder to leave: '$(folder 2)'"
start_run 3
[ ! -e "$(folder 2)" ] || fail "the next run left the killed run's folder $(folder 2)"
start_run 4
for n in 3 4; do
  [ -d "$(folder $n)" ] || fail "run $n's folder '$(folder $n)' went while it ran"
  touch "$tmp/finish-$n"
done
for n in 3 4; do
  status=0
  wait "${runs[$n]}" || status=$?
  [ "$status" -eq 0 ] || fail "run $n ended with $status: $(cat "$tmp/run-$n.log")"
  [ ! -e "$(folder $n)" ] || fail "run $n left its folder $(folder $n)"
done

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
