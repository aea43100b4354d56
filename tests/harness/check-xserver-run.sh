#!/usr/bin/env bash
# The X server every X-server test runs on (xserver-run.sh):
# - runs started in the same instant, beside programs that start X servers the usual way
#   (xvfb-run -a, which takes the first number without a lock file), all pass, each on a
#   server of its own: each sets its own value on its root window and, once every run has
#   set its own and every other program has tried to, reads back its own value only;
# - a run whose server cannot start fails at once, saying so, and runs nothing;
# - a run ended by SIGTERM (Ctrl-C) or SIGKILL (a time-out) while its command runs ends
#   the command and the server with it.
#   check-xserver-run.sh path/to/xserver-run.sh [runs] [other servers]
set -uo pipefail
source "$(dirname "$0")/checks.sh"
run="$1"
runs="${2:-12}"
others="${3:-8}"
tmp="$(mktemp -d)"
# The runs' own folders go into this one, removed at the end: a run killed leaves its own.
mkdir "$tmp/tmp"
export TMPDIR="$tmp/tmp"
started=()
servers=() # those of the other programs, and their commands
cleanup() {
  local p all=("${started[@]}" "${servers[@]}")
  # The other programs end their servers themselves once their command ends (killed,
  # xvfb-run would leave its server running): they are given the time to.
  touch "$tmp/done"
  for p in "${all[@]}"; do
    for _ in $(seq 100); do alive "$p" || break; sleep 0.1; done
  done
  for p in "${all[@]}"; do kill -TERM "$p" 2>/dev/null; done
  for p in "${all[@]}"; do
    for _ in $(seq 50); do alive "$p" || break; sleep 0.1; done
    kill -KILL "$p" 2>/dev/null
  done
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 143' TERM
count() { local f=("$tmp"/$1); [ -e "${f[0]}" ] && echo "${#f[@]}" || echo 0; }
children() {
  local dir stat
  for dir in /proc/[0-9]*; do
    read -r stat 2>/dev/null < "$dir/stat" || continue
    stat="${stat##*) }"
    stat="${stat#* }"
    [ "${stat%% *}" = "$1" ] && echo "${dir#/proc/}"
  done
}

# One run's command: its value on its own root window.
cat > "$tmp/own.sh" <<'EOF'
id="$1" tmp="$2" runs="$3"
# A client that stays: when the last one leaves, the server resets and forgets properties.
xprop -root -spy WM_NAME > "$tmp/hold-$id" 2>&1 &
hold=$!
trap 'kill $hold' EXIT
for _ in $(seq 600); do [ -s "$tmp/hold-$id" ] && break; sleep 0.05; done
xprop -root -f OCUMETRA_RUN 8s -set OCUMETRA_RUN "$id" || { echo "run $id: could not set a property on $DISPLAY"; exit 3; }
echo "$DISPLAY" > "$tmp/set-$id"
for _ in $(seq 1200); do
  f=("$tmp"/set-*)
  [ "${#f[@]}" -ge "$runs" ] && [ -e "$tmp/others-tried" ] && break
  sleep 0.05
done
seen="$(xprop -root OCUMETRA_RUN 2>&1)"
[ "$seen" = "OCUMETRA_RUN(STRING) = \"$id\"" ] || { echo "run $id on $DISPLAY read back: $seen"; exit 4; }
touch "$tmp/checked-$id"
# The server stays until every run has read back, so that all are up at once.
for _ in $(seq 1200); do f=("$tmp"/checked-*); [ "${#f[@]}" -ge "$runs" ] && break; sleep 0.05; done
EOF
# Another program's command: it writes on whatever server its DISPLAY names.
cat > "$tmp/other.sh" <<'EOF'
xprop -root -f OCUMETRA_RUN 8s -set OCUMETRA_RUN "other $1" 2>/dev/null
touch "$2/tried-$1"
for _ in $(seq 1200); do [ -e "$2/done" ] && break; sleep 0.05; done
EOF

declare -A runpid otherpid
for ((i = 0; i < runs; i++)); do
  (await "$tmp/go" 30 && exec bash "$run" --screen 320x240x24 -- bash "$tmp/own.sh" "$i" "$tmp" "$runs") \
    > "$tmp/run-$i.log" 2>&1 &
  runpid[$i]=$!
  started+=($!)
done
for ((i = 0; i < others; i++)); do
  (await "$tmp/go" 30 && exec xvfb-run -a -f "$tmp/other-$i.auth" -s "-screen 0 320x240x24" \
      bash "$tmp/other.sh" "$i" "$tmp") > "$tmp/other-$i.log" 2>&1 &
  otherpid[$i]=$!
  started+=($!)
done
touch "$tmp/go"
# The others have tried once each has, or has failed to start its own server.
for _ in $(seq 1200); do
  left=0
  for ((i = 0; i < others; i++)); do
    [ -e "$tmp/tried-$i" ] || ! alive "${otherpid[$i]}" || left=$((left + 1))
  done
  [ "$left" -eq 0 ] && break
  sleep 0.05
done
touch "$tmp/others-tried"
for ((i = 0; i < others; i++)); do servers+=($(children "${otherpid[$i]}")); done
for ((i = 0; i < runs; i++)); do
  status=0
  wait "${runpid[$i]}" || status=$?
  [ "$status" -eq 0 ] || fail "run $i ended with $status: $(cat "$tmp/run-$i.log")"
done
[ "$(count 'checked-*')" -eq "$runs" ] || fail "only $(count 'checked-*') of $runs runs read back their own value"
shared="$(cat "$tmp"/set-* 2>/dev/null | sort | uniq -d)"
[ -z "$shared" ] || fail "displays taken by two runs: $shared"
echo "$runs runs on $(cat "$tmp"/set-* 2>/dev/null | sort -u | wc -l) displays of their own, beside $(count 'tried-*') of $others other servers that started"

# A server that cannot start: a depth no server has.
begin=$(date +%s%N)
status=0
bash "$run" --screen 1x1x999 -- touch "$tmp/ran" > "$tmp/bad.log" 2>&1 || status=$?
took=$(( ($(date +%s%N) - begin) / 1000000 ))
[ "$status" -ne 0 ] || fail "a run whose server cannot start passed"
[ ! -e "$tmp/ran" ] || fail "a run whose server cannot start ran its command"
grep -q "the X server could not start" "$tmp/bad.log" || fail "a run whose server cannot start did not say so: $(cat "$tmp/bad.log")"
# It waits up to 30 s for a server that is starting; one that ended is not waited for.
[ "$took" -lt 10000 ] || fail "a run whose server cannot start took $took ms to fail"

# Ended while its command runs: the command and the server end with it, at once.
for signal in TERM KILL; do
  (exec bash "$run" -- bash -c 'echo "$XAUTHORITY" > "$1.tmp" && mv "$1.tmp" "$1" && exec sleep 300' _ "$tmp/$signal.info") \
    > "$tmp/$signal.log" 2>&1 &
  p=$!
  started+=($p)
  disown "$p" # its end by a signal is checked below, not reported by this shell
  if ! await "$tmp/$signal.info" 30; then
    fail "the command under SIG$signal did not start: $(cat "$tmp/$signal.log")"
    continue
  fi
  below=($(children "$p"))
  [ "${#below[@]}" -ge 2 ] || fail "expected a server and a command below the run, found: ${below[*]}"
  kill -"$signal" "$p"
  for _ in $(seq 100); do
    left=()
    for q in "$p" "${below[@]}"; do alive "$q" && left+=("$q"); done
    [ "${#left[@]}" -eq 0 ] && break
    sleep 0.1
  done
  [ "${#left[@]}" -eq 0 ] || fail "10 s after SIG$signal still running: $(for q in "${left[@]}"; do tr '\0' ' ' < "/proc/$q/cmdline"; echo; done)"
  if [ "$signal" = TERM ]; then
    auth="$(cat "$tmp/$signal.info")"
    [ ! -e "$(dirname "$auth")" ] || fail "the run's folder is left after SIGTERM: $(dirname "$auth")"
  fi
  # Ended above, or by the cleanup.
  kill -KILL "${left[@]}" 2>/dev/null
done

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
