#!/usr/bin/env bash
# scripts/test.sh killed with SIGKILL, around a stand-in for ctest (and for cmake and
# dpkg-query) that starts a test on an X server of its own, leaves an orphan that ignores
# TERM, a stand-in for a test sound server in a process group of its own and a folder
# beside the run's (as a test desktop run for another user has): killed during its tests
# (its guard, or the run below the guard) or during its build (the compiler in a group of
# its own, as ninja starts it), soon none of the run's processes runs and its folders are
# gone. A run whose whole process group was killed at once leaves its folder and its
# sound server, which the next run ends and removes; two runs at once keep each other's.
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
# What the runs leave lasts at most as long as this script: a kill of the whole run it is
# part of leaves nothing of it either.
lasting="tail -s 0.1 --pid=$$ -f /dev/null"
# Run "build" builds until killed.
cat > "$tmp/fake/cmake" <<EOF
#!/usr/bin/env bash
[ "\$FAKE_RUN" = build ] || exit 0
echo "\$OCUMETRA_RUN_TMP" > "$tmp/folder-build"
timeout 300 $lasting &
touch "$tmp/running-build"
wait
EOF
# Run n tells its folder and makes one beside it; the killed runs also leave an orphan
# ignoring TERM and a server in a group of its own, and run "guard" also runs a test on
# an X server of its own; each waits until told to finish, then passes.
cat > "$tmp/fake/ctest" <<EOF
#!/usr/bin/env bash
mkdir -p Testing/Temporary
echo '<testsuite><testcase name="tst_fake" status="run"></testcase></testsuite>' > Testing/results.xml
echo '1/1 Testing: tst_fake' > Testing/Temporary/LastTest.log
n="\$FAKE_RUN"
echo "\$OCUMETRA_RUN_TMP" > "$tmp/folder-\$n"
touch "\$TMPDIR/file"
mkdir "\$OCUMETRA_RUN_TMP-desktop"
if [ "\$n" = guard ]; then
  bash "$xserver_run" -- bash -c 'touch "$tmp/x-guard"; exec $lasting' &
  for _ in \$(seq 300); do [ -e "$tmp/x-guard" ] && break; sleep 0.1; done
fi
case "\$n" in
  [0-9]) ;;
  *)
    { bash -c 'env -i /bin/bash -c "trap \"\" TERM; cd /; exec $lasting" & kill -KILL \$\$'; } 2>/dev/null
    timeout 300 $lasting &
    echo \$! > "$tmp/server-\$n" ;;
esac
touch "$tmp/running-\$n"
while kill -0 $$; do [ -e "$tmp/finish-\$n" ] && exit 0; sleep 0.1; done
EOF
chmod +x "$tmp/fake/"*

# Each run leads a process group of its own, as a run from a terminal does, and dies with
# this script, whose run may be killed whole too.
declare -A runs=()
start_run() {
  mkdir -p "$tmp/build-$1"
  (cd "$tmp" && PATH="$tmp/fake:$PATH" TMPDIR="$tmp/tmp" OCUMETRA_BUILD_DIR="$tmp/build-$1" FAKE_RUN="$1" \
     exec setpriv --pdeathsig KILL setsid bash "$script") > "$tmp/run-$1.log" 2>&1 &
  runs[$1]=$!
  mine+=("$!")
  await "$tmp/running-$1" 60 || fail "run $1 did not start: $(cat "$tmp/run-$1.log")"
}
# The processes of run $1 now, into found; each ended at the end of this script.
run_of() {
  run_processes "${runs[$1]}"
  mine+=("${found[@]}")
}
folder() { cat "$tmp/folder-$1" 2>/dev/null; }
# The run itself, below run $1's guard.
inner_of() {
  local pid stat
  for pid in "${found[@]}"; do
    read -r stat 2>/dev/null < "/proc/$pid/stat" || continue
    stat="${stat##*) }"
    stat="${stat#* }"
    [ "${stat%% *}" = "${runs[$1]}" ] && echo "$pid" && return
  done
}
# What of the processes $2... and the folders of run $1 is left, polled until nothing
# is, for 60 s at most; how long that took in ms, into took.
left_of() {
  local n="$1" pid start
  shift
  clock_ms
  start="$now_ms"
  while ((now_ms - start < 60000)); do
    left=""
    for pid in "$@"; do
      alive "$pid" && left+=" $pid ($(tr '\0' ' ' 2>/dev/null < "/proc/$pid/cmdline"))"
    done
    for pid in "$(folder "$n")" "$(folder "$n")"-*; do
      [ ! -e "$pid" ] || left+=" $pid"
    done
    clock_ms
    [ -n "$left" ] || break
    sleep 0.1
  done
  took=$((now_ms - start))
}

# Killed during its tests (its guard, or the run below it) or its build: it leaves
# nothing.
for n in guard inner build; do
  start_run "$n"
  run_of "$n"
  [ "${#found[@]}" -ge 3 ] || fail "run $n has too few processes to tell: ${found[*]}"
  before=("${found[@]}")
  victim="${runs[$n]}"
  [ "$n" != inner ] || victim="$(inner_of "$n")"
  [ -n "$victim" ] || fail "run $n has no run below its guard"
  [ -n "$(folder "$n")" ] || fail "run $n had no folder to leave"
  kill -KILL "$victim"
  { wait "${runs[$n]}"; } 2>/dev/null
  left_of "$n" "${before[@]}"
  [ -z "$left" ] || fail "$took ms after run $n was killed, still there:$left"
  echo "run $n killed: nothing left after $took ms"
done

# A run's whole process group killed at once: its folder and its sound server stay until
# the next run.
start_run group
run_of group
server="$(cat "$tmp/server-group")"
mine+=("$server")
kill -KILL -- "-${runs[group]}"
{ wait "${runs[group]}"; } 2>/dev/null
[ -n "$(folder group)" ] && [ -d "$(folder group)" ] || fail "run group had no folder to leave: '$(folder group)'"
alive "$server" || fail "the sound server ($server) was in the run's process group"
start_run 3
left_of group "$server"
[ -z "$left" ] || fail "the next run left of the killed one:$left"
start_run 4
for n in 3 4; do
  [ -d "$(folder $n)" ] || fail "run $n's folder '$(folder $n)' went while it ran"
  touch "$tmp/finish-$n"
done
for n in 3 4; do
  status=0
  wait "${runs[$n]}" || status=$?
  [ "$status" -eq 0 ] || fail "run $n ended with $status: $(cat "$tmp/run-$n.log")"
  left_of "$n"
  [ -z "$left" ] || fail "run $n left its folders:$left"
done

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
