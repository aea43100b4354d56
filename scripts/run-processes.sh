# The processes of a run, sourced by scripts/test.sh: everything below the shell of the
# run. That shell is the subreaper of all it starts, so whatever a test leaves running
# stays below it (an orphan whose parent was killed included), whatever its folder,
# environment or command; what the developer starts meanwhile (a shell in the build
# folder, the program from it) is never below it.

# Runs the calling script again, as the same process with the same arguments, as a
# subreaper: run_as_subreaper "$0" "$@". Returns at once when it already is one.
run_as_subreaper() {
  if [ "${OCUMETRA_RUN_SUBREAPER:-}" = 1 ]; then
    unset OCUMETRA_RUN_SUBREAPER
    return 0
  fi
  export OCUMETRA_RUN_SUBREAPER=1
  # 36: PR_SET_CHILD_SUBREAPER, kept across exec.
  exec python3 -c 'import ctypes, os, sys
if ctypes.CDLL(None, use_errno=True).prctl(36, 1, 0, 0, 0) != 0:
    sys.exit("cannot become the subreaper of the run: " + os.strerror(ctypes.get_errno()))
os.execvp("bash", ["bash"] + sys.argv[1:])' "$@"
}

# The live processes below this shell, into found; those listed in run_exempt (pids
# separated by spaces) are left out. Only builtins: nothing is started during the scan.
found=()
run_exempt=""
run_processes() {
  local dir pid up stat depth
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
    [ "$pid" != "$$" ] && [[ " $run_exempt " != *" $pid "* ]] || continue
    up="${parent[$pid]}"
    for ((depth = 0; depth < 1000 && up > 1 && up != $$; depth++)); do
      up="${parent[$up]:-0}"
    done
    [ "$up" != "$$" ] || found+=("$pid")
  done
}

# Ends the run's processes, politely, then after two seconds for good, until none is
# left (the children of an ended process come here as it dies); ended names each as
# "pid command line".
ended=""
end_processes() {
  local pid round
  local -a args fresh
  local -A named=()
  ended=""
  for ((round = 0; round < 70; round++)); do
    run_processes
    [ "${#found[@]}" -gt 0 ] || return 0
    fresh=()
    for pid in "${found[@]}"; do
      [ -z "${named[$pid]:-}" ] || continue
      named[$pid]=1
      fresh+=("$pid")
      args=()
      mapfile -d '' -t args 2>/dev/null < "/proc/$pid/cmdline" || true
      ended+="$pid ${args[*]}"$'\n'
    done
    if [ "$round" -lt 20 ]; then
      [ "${#fresh[@]}" -eq 0 ] || kill -TERM "${fresh[@]}" 2>/dev/null || true
    else
      kill -KILL "${found[@]}" 2>/dev/null || true
    fi
    sleep 0.1
  done
}
