#!/usr/bin/env bash
# An install holds the program, its run-time files, a valid desktop entry and the icon;
# the installed program starts with no camera, loads its translation and exits 0.
set -euo pipefail
build="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr >"$tmp/install.log"
root="$tmp/root/usr"
for f in bin/ocumetra share/applications/ocumetra.desktop \
         share/icons/hicolor/scalable/apps/ocumetra.svg share/ocumetra/logo/logo.svg; do
  [ -s "$root/$f" ] || fail "missing $f"
done
[ -x "$root/bin/ocumetra" ] || fail "bin/ocumetra is not executable"
for id in 1033 2052 1028 1034 1031 1042 1036 1040 1043 1055; do
  [ -s "$root/share/ocumetra/Lang/$id.qm" ] || fail "missing translation $id"
done
# Nothing but the program itself is installed: no tests, no simulated camera.
extra="$(find "$root/bin" -type f ! -name ocumetra)"
[ -z "$extra" ] || fail "unexpected files in bin: $extra"
desktop-file-validate "$root/share/applications/ocumetra.desktop" || fail "desktop entry rejected"

# Start it with no camera (the Wi-Fi control port points at a closed loopback port),
# answer the "no device" box with Return, and expect the exit code of a start without
# a camera.
mkdir -p "$tmp/home" "$tmp/run"; chmod 700 "$tmp/run"
# The port stays bound (never listening) until this script ends, so no server of a test
# run beside can take it meanwhile.
coproc HOLDER { python3 -c 'import socket, sys
s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1], flush=True); sys.stdin.read()'; }
read -r port <&"${HOLDER[0]}"
# A session bus that refuses at once: with none named, D-Bus would start one.
HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" XDG_DATA_HOME="$tmp/home/.local/share" \
  XDG_CONFIG_HOME="$tmp/home/.config" OCUMETRA_CAMERA_CONTROL_PORT="$port" \
  DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/run/no-session-bus" \
  OCUMETRA_USB_IDS="ffff:ffff" QT_QPA_PLATFORM=xcb \
  "$root/bin/ocumetra" >"$tmp/out.log" 2>&1 &
pid=$!
log=""
for _ in $(seq 1 120); do
  kill -0 "$pid" 2>/dev/null || break
  log="$(find "$tmp/home" -name 'log_*.txt' 2>/dev/null | head -1)"
  if [ -n "$log" ] && grep -q "camera index == -1" "$log"; then
    sleep 0.5
    xdotool key Return 2>/dev/null || true
  fi
  sleep 0.5
done
if kill -0 "$pid" 2>/dev/null; then kill -9 "$pid"; cat "$tmp/out.log"; fail "installed program did not end"; fi
rc=0; wait "$pid" || rc=$?
[ "$rc" -eq 0 ] || { cat "$tmp/out.log"; fail "installed program exited with $rc"; }
[ -n "$log" ] || fail "no log written"
grep -q "translation loaded .*/usr/share/ocumetra/Lang/1033.qm" "$log" || { cat "$log"; fail "translation not loaded from the installed tree"; }
grep -q "not find device quit app." "$log" || { cat "$log"; fail "did not end as a start without camera"; }
echo "install OK"
