# The processes of a run, sourced by scripts/test.sh: everything below the shell of the
# run. That shell is the subreaper of all it starts, so whatever a test leaves running
# stays below it (an orphan whose parent was killed included), whatever its folder,
# environment or command; what the developer starts meanwhile (a shell in the build
# folder, the program from it) is never below it.

# Becomes a subreaper, then runs bash with the arguments given. Named a guard's pid in
# OCUMETRA_RUN_GUARD, it is also sent TERM when that guard dies, however it dies.
run_subreaper='import ctypes, os, signal, sys
libc = ctypes.CDLL(None, use_errno=True)
# 36: PR_SET_CHILD_SUBREAPER, kept across exec.
if libc.prctl(36, 1, 0, 0, 0) != 0:
    sys.exit("cannot become the subreaper of the run: " + os.strerror(ctypes.get_errno()))
guard = os.environ.pop("OCUMETRA_RUN_GUARD", "")
if guard:
    # 1: PR_SET_PDEATHSIG, kept across exec; a guard that died before it was set is
    # seen by the parent it left.
    libc.prctl(1, signal.SIGTERM, 0, 0, 0)
    if os.getppid() != int(guard):
        sys.exit("the test run ended before its tests began")
# Python starts with SIGPIPE and SIGXFSZ ignored; the tests run as a user starts them.
for number in (signal.SIGPIPE, signal.SIGXFSZ):
    signal.signal(number, signal.SIG_DFL)
os.execvp("bash", ["bash"] + sys.argv[1:])'

# Runs the calling script again below this one, as the run itself: run_guarded "$0" "$@".
# In the run it returns at once; in the caller, which becomes the run's guard (the same
# process, a subreaper too), it ends with the run's status. The run dies with its guard,
# and the guard outlives a killed run, so a run ended by any signal, SIGKILL included,
# leaves nothing running: whichever of the two is left ends everything below it and
# removes the run's folder, OCUMETRA_RUN_TMP. That folder's name is also the run's
# marker: the processes of the run inherit it in their environment, whatever their
# process group. The runs' folders of a user share one folder, where each run ends the marked
# processes of runs whose guard is gone (all killed at once) and removes their folders.
run_guarded() {
  case "${OCUMETRA_RUN_STAGE:-}" in
    run) unset OCUMETRA_RUN_STAGE; return 0 ;;
    guard) unset OCUMETRA_RUN_STAGE ;;
    *) OCUMETRA_RUN_STAGE=guard exec python3 -c "$run_subreaper" "$@" ;;
  esac
  local runs="${TMPDIR:-/tmp}/ocumetra-runs-$(id -u)"
  mkdir -p "$runs"
  # In a shared temporary folder another user may have taken the name first.
  if [ -L "$runs" ] || [ ! -O "$runs" ]; then
    echo "the folder of the test runs, $runs, is not this user's" >&2
    exit 1
  fi
  # Open to pass through only: a test desktop run as another user has its folder here.
  chmod 711 "$runs"
  clear_ended_runs "$runs"
  OCUMETRA_RUN_TMP="$(mktemp -d "$runs/run-$$-$(start_time $$)-XXXXXX")"
  export OCUMETRA_RUN_TMP
  run_status=""
  trap end_guard EXIT
  OCUMETRA_RUN_STAGE=run OCUMETRA_RUN_GUARD=$$ python3 -c "$run_subreaper" "$@" && run_status=0 || run_status=$?
  exit "$run_status"
}

# A run that ended by itself has ended what it started (but what its build left
# running); one that was killed, or a guard that was, has not.
end_guard() {
  [ -n "$run_status" ] && [ "$run_status" -lt 128 ] || end_processes
  remove_run_folder "$OCUMETRA_RUN_TMP"
}

# Removes the run folder $1 and the folders beside it named after it ($1-*, those a test
# made for another user).
remove_run_folder() {
  chmod -R u+rwX "$1" "$1"-* 2>/dev/null || true
  rm -rf "$1" "$1"-* 2>/dev/null || true
}

# When process $1 started, in clock ticks since boot: a later process given the same
# pid started later. Empty once it is gone.
start_time() {
  local stat fields
  read -r stat 2>/dev/null < "/proc/$1/stat" || return 0
  # "pid (name) state ...": the name may hold spaces and parentheses; the start is
  # field 22.
  read -ra fields <<< "${stat##*) }"
  echo "${fields[19]}"
}

# Ends the processes of ended runs in $1 (run-PID-START-*: those whose guard is gone),
# found by their marker, then removes their folders.
clear_ended_runs() {
  local dir name
  run_markers=()
  for dir in "$1"/run-*-*-*; do
    [ -d "$dir" ] || continue
    name="${dir##*/run-}"
    [ "$(start_time "${name%%-*}")" != "$(cut -d- -f2 <<< "$name")" ] || continue
    run_markers+=("OCUMETRA_RUN_TMP=$dir")
  done
  [ "${#run_markers[@]}" -gt 0 ] || return 0
  end_processes marked_processes
  for dir in "${run_markers[@]}"; do
    remove_run_folder "${dir#*=}"
  done
}

# The processes whose environment holds one of run_markers, into found.
run_markers=()
marked_processes() {
  local file
  local -a patterns=()
  for file in "${run_markers[@]}"; do patterns+=(-e "$file"); done
  found=()
  while read -r file; do
    file="${file#/proc/}"
    [ "${file%/environ}" = "$$" ] || found+=("${file%/environ}")
  done < <(grep -lzxF "${patterns[@]}" /proc/[0-9]*/environ 2>/dev/null)
}

# The live processes below this shell (or below the process $1), into found; those
# listed in run_exempt (pids separated by spaces) are left out. Only builtins: nothing is
# started during the scan.
found=()
run_exempt=""
run_processes() {
  local root="${1:-$$}" dir pid up stat depth
  local -A parent=()
  for dir in /proc/[0-9]*; do
    read -r stat 2>/dev/null < "$dir/stat" || continue
    # "pid (name) state ppid ...": the name may hold spaces and parentheses.
    stat="${stat##*) }"
    [[ "$stat" != [ZX]* ]] || continue
    stat="${stat#* }"
    parent[${dir#/proc/}]="${stat%% *}"
  done
  found=()
  for pid in "${!parent[@]}"; do
    [ "$pid" != "$root" ] && [[ " $run_exempt " != *" $pid "* ]] || continue
    up="${parent[$pid]}"
    for ((depth = 0; depth < 1000 && up > 1 && up != root; depth++)); do
      up="${parent[$up]:-0}"
    done
    [ "$up" != "$root" ] || found+=("$pid")
  done
}

# Ends the run's processes (those the finder $1 names, run_processes by default):
# politely, then for good those still there after a grace of two seconds, until none is
# left (the children of an ended process come here as it dies), for 30 s at most. ended
# names each as "pid command line".
ended=""
end_processes() {
  local finder="${1:-run_processes}" pid now start
  local -a args fresh late
  local -A termed=()
  ended=""
  clock_ms
  start="$now_ms"
  while :; do
    "$finder"
    [ "${#found[@]}" -gt 0 ] || return 0
    clock_ms
    now="$now_ms"
    fresh=()
    late=()
    for pid in "${found[@]}"; do
      if [ -z "${termed[$pid]:-}" ]; then
        termed[$pid]="$now"
        fresh+=("$pid")
        args=()
        mapfile -d '' -t args 2>/dev/null < "/proc/$pid/cmdline" || true
        ended+="$pid ${args[*]}"$'\n'
      elif ((now - termed[$pid] >= 2000)); then
        late+=("$pid")
      fi
    done
    [ "${#fresh[@]}" -eq 0 ] || kill -TERM "${fresh[@]}" 2>/dev/null || true
    [ "${#late[@]}" -eq 0 ] || kill -KILL "${late[@]}" 2>/dev/null || true
    ((now - start < 30000)) || return 0
    sleep 0.1
  done
}

# Milliseconds since boot (a clock no setting moves), into now_ms, with builtins only.
now_ms=0
clock_ms() {
  local up rest
  read -r up rest < /proc/uptime
  now_ms=$((${up%.*} * 1000 + 10#${up#*.} * 10))
}
