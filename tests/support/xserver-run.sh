#!/usr/bin/env bash
# Runs a command on an X server of its own, ended with it; ended itself (a signal, a
# time-out), it ends the command and the server at once.
#   xserver-run.sh [--screen WxHxD] [--monitors WxH+X+Y,...] [--wm] -- command [args...]
# Xvfb picks a free display itself (-displayfd), so runs started in the same instant
# never share one, and it admits only the cookie of this run's own authority file: no
# command runs on a display it did not start. --wm adds a window manager (openbox, or
# xfwm4 or mutter with --wm=xfwm4, --wm=mutter, or the one at a path with --wm=PATH), started and managing before the command runs. --monitors splits the screen into
# monitors (xrandr --setmonitor), the first one holding the screen's output; Qt 5 sees
# them as screens when QT_XCB_NO_XRANDR=1 (through Xinerama). Exits with the command's status, or
# with 1 at once, saying so, when the server or the window manager cannot start.
set -uo pipefail

screen=1920x1080x24
monitors=""
wm=""
while [ $# -gt 0 ]; do
  case "$1" in
    --screen) screen="$2"; shift 2 ;;
    --monitors) monitors="$2"; shift 2 ;;
    --wm) wm=openbox; shift ;;
    --wm=*) wm="${1#--wm=}"; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "xserver-run: no command given" >&2; exit 2; }

dir="$(mktemp -d "${TMPDIR:-/tmp}/xserver-XXXXXX")" || exit 1
xpid=""
wmpid=""
cmdpid=""
# Ends them in turn, the command first, each politely then for good.
stop() {
  local p
  for p in "$@"; do kill -TERM "$p" 2>/dev/null; done
  for p in "$@"; do
    for _ in $(seq 50); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$p" 2>/dev/null
    wait "$p" 2>/dev/null
  done
}
cleanup() {
  stop $cmdpid
  stop $wmpid
  # What xfwm4 or mutter started in its group (its session bus).
  case "$wm" in xfwm4|mutter) [ -z "$wmpid" ] || kill -KILL -- "-$wmpid" 2>/dev/null ;; esac
  stop $xpid
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
trap 'exit 129' HUP

# One cookie for any display number (a wildcard entry): the number is known only once
# the server has chosen it.
export XAUTHORITY="$dir/Xauthority"
: > "$XAUTHORITY"
cookie="$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')"
name_hex="$(printf 'MIT-MAGIC-COOKIE-1' | od -An -tx1 | tr -d ' \n')"
printf 'ffff 0000  0000  0012 %s 0010 %s\n' "$name_hex" "$cookie" | xauth -q -f "$XAUTHORITY" nmerge - ||
  { echo "xserver-run: the X authority file could not be written" >&2; exit 1; }

# The server and the window manager die with this script, however it ends. The server
# never resets: it would whenever its last client leaves (a probe such as the window
# manager check below, a test's short-lived client), refusing new clients a moment and
# forgetting its monitors.
setpriv --pdeathsig KILL Xvfb -displayfd 3 -auth "$XAUTHORITY" -nolisten tcp -noreset \
  -screen 0 "$screen" 3>"$dir/display" 2>"$dir/xvfb.log" &
xpid=$!
number=""
for _ in $(seq 300); do
  # The number is written, with its newline, once the server accepts clients.
  if [ "$(wc -l < "$dir/display")" -ge 1 ]; then
    number="$(tr -dc '0-9' < "$dir/display")"
    break
  fi
  kill -0 "$xpid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$number" ]; then
  echo "xserver-run: the X server could not start:" >&2
  sed 's/^/  /' "$dir/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$number"

if [ -n "$monitors" ]; then
  output="$(xrandr -q 2>/dev/null | awk '/ connected/ { print $1; exit }')"
  n=0
  IFS=',' read -ra heads <<< "$monitors"
  for head in "${heads[@]}"; do
    if ! [[ "$head" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]]; then
      echo "xserver-run: a monitor is WxH+X+Y, not '$head'" >&2
      exit 2
    fi
    w="${BASH_REMATCH[1]}"; h="${BASH_REMATCH[2]}"
    # Physical sizes for 96 dots per inch.
    geometry="$w/$((w * 254 / 960))x$h/$((h * 254 / 960))+${BASH_REMATCH[3]}+${BASH_REMATCH[4]}"
    owner=none
    [ "$n" -gt 0 ] || [ "$wm" = xfwm4 ] || owner="${output:-none}"
    xrandr --setmonitor "monitor-$n" "$geometry" "$owner" >"$dir/xrandr.log" 2>&1 ||
      { echo "xserver-run: monitor $head could not be set:" >&2; sed 's/^/  /' "$dir/xrandr.log" >&2; exit 1; }
    n=$((n + 1))
  done
  # xfwm4 knows monitors only by their outputs, and keeps windows on those: with the
  # output off it takes the whole screen for one, while Qt still sees the monitors. The
  # server refuses the smaller screen size that comes with it, but the output is off.
  if [ "$wm" = xfwm4 ] && [ -n "$output" ]; then
    xrandr --output "$output" --off >"$dir/xrandr.log" 2>&1
    [ "$(xrandr --listmonitors | head -1 | tr -dc '0-9')" = "$n" ] ||
      { echo "xserver-run: the output could not be turned off:" >&2; sed 's/^/  /' "$dir/xrandr.log" >&2; exit 1; }
  fi
fi

if [ -n "$wm" ]; then
  case "$wm" in
    openbox) wmcommand=(openbox --sm-disable) ;;
    # No session bus: its settings are its defaults, and no bus is started for it.
    # Its settings come from a session bus of its own, in a process group of its own
    # (ended whole with it); nothing is written outside this run's folder.
    xfwm4) wmcommand=(env NO_AT_BRIDGE=1 XDG_CONFIG_HOME="$dir" XDG_CACHE_HOME="$dir" XDG_DATA_HOME="$dir"
                      setsid dbus-run-session -- xfwm4 --compositor=off --sm-client-disable) ;;
    mutter) wmcommand=(env NO_AT_BRIDGE=1 XDG_CONFIG_HOME="$dir" XDG_CACHE_HOME="$dir" XDG_DATA_HOME="$dir"
                       XDG_RUNTIME_DIR="$dir" GSETTINGS_BACKEND=memory
                       setsid dbus-run-session -- mutter --x11 --replace --sm-disable) ;;
    # The tests' own (cornerwm), given by its path.
    /*) wmcommand=("$wm") ;;
    *) echo "xserver-run: no window manager '$wm'" >&2; exit 2 ;;
  esac
  setpriv --pdeathsig KILL "${wmcommand[@]}" >"$dir/wm.log" 2>&1 &
  wmpid=$!
  for _ in $(seq 200); do
    wmctrl -m >/dev/null 2>&1 && break
    kill -0 "$wmpid" 2>/dev/null || break
    sleep 0.1
  done
  if ! wmctrl -m >/dev/null 2>&1; then
    echo "xserver-run: the window manager could not start on $DISPLAY:" >&2
    sed 's/^/  /' "$dir/wm.log" >&2
    exit 1
  fi
fi

# In the background, so that a signal to this script (a time-out, Ctrl-C) is acted on at
# once rather than once the command ends; it dies with this script, like its server.
setpriv --pdeathsig KILL "$@" <&0 &
cmdpid=$!
status=0
wait "$cmdpid" || status=$?
cmdpid=""
exit "$status"
