#!/usr/bin/env bash
# Runs the test command (scripts/test.sh) in a clean Debian root, as root:
#   scripts/test-root.sh            Debian 13 (trixie)
#   scripts/test-root.sh bookworm   Debian 12
# The root, made with mmdebstrap and given the test command's packages by
# scripts/install-deps.sh, is kept in $OCUMETRA_ROOT_CACHE (default /var/cache/ocumetra-ci)
# and made again when that script changes or the root is a week old. Each run works on a
# layer above it that is thrown away, so every run starts from the same clean root; the
# run has its own processes, mounts and loopback network, which all end with it, however
# it ends.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
suite="${1:-trixie}"
case "$suite" in
  trixie | bookworm) ;;
  *) echo "usage: $0 [trixie|bookworm]" >&2; exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "$0: runs as root (mmdebstrap, mounts, chroot)" >&2; exit 1; }
cache="${OCUMETRA_ROOT_CACHE:-/var/cache/ocumetra-ci}/$suite"
mkdir -p "$cache"

# One run per root at a time; the lock goes with the last process holding it.
exec 9>"$cache/lock"
flock 9

# Layers of runs that were killed.
rm -rf "$cache"/run.*

key="$suite $(sha256sum < "$here/scripts/install-deps.sh")"
if [ ! -d "$cache/root" ] || [ "$(cat "$cache/key" 2>/dev/null)" != "$key" ] \
   || [ -n "$(find "$cache/key" -mtime +6 2>/dev/null)" ]; then
  if ! command -v mmdebstrap >/dev/null; then
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends mmdebstrap
  fi
  echo "Making a Debian $suite root with the test command's packages in $cache/root"
  rm -rf "$cache/root" "$cache/root.new" "$cache/key"
  mirror=http://deb.debian.org
  if ! mmdebstrap --variant=apt --include=ca-certificates \
      --customize-hook="copy-in '$here/scripts/install-deps.sh' /tmp" \
      --customize-hook='chroot "$1" bash /tmp/install-deps.sh --tests' \
      --customize-hook='rm -f "$1/tmp/install-deps.sh"' \
      "$suite" "$cache/root.new" \
      "deb $mirror/debian $suite main" "deb $mirror/debian $suite-updates main" \
      "deb $mirror/debian-security $suite-security main" > "$cache/make.log" 2>&1; then
    tail -n 40 "$cache/make.log"
    echo "Making the Debian $suite root failed; the whole log: $cache/make.log" >&2
    exit 1
  fi
  mv "$cache/root.new" "$cache/root"
  echo "$key" > "$cache/key"
fi

# The run: a layer over the root, the sources copied in (what git tracks and what it
# would add), then the test command in a mount, pid and network namespace of its own.
# Killed, unshare takes the namespace's processes with it (--kill-child), and with them
# its mounts; the layer goes at the next run.
run="$(mktemp -d "$cache/run.XXXXXX")"
mkdir -p "$run/upper" "$run/work" "$run/merged"
trap 'rm -rf "$run"' EXIT
inside='
set -euo pipefail
ip link set lo up
m="$OCUMETRA_RUN_LAYER/merged"
mount -t overlay overlay -o "lowerdir=$OCUMETRA_ROOT_DIR,upperdir=$OCUMETRA_RUN_LAYER/upper,workdir=$OCUMETRA_RUN_LAYER/work" "$m"
mount -t proc proc "$m/proc"
mount -t sysfs sysfs "$m/sys"
mount --rbind /dev "$m/dev"
mount -t tmpfs -o mode=1777 tmpfs "$m/dev/shm"
mount -t tmpfs -o mode=755 tmpfs "$m/run"
# What logind leaves there with no one logged in: without it WirePlumber (Debian 12)
# cannot watch the seats and quits, and the test desktop has no screen-cast stream.
mkdir -p "$m/run/systemd/seats" "$m/run/systemd/sessions" "$m/run/systemd/users"
mkdir -p "$m/src"
git -C "$OCUMETRA_SOURCE" ls-files -z --cached --others --exclude-standard \
  | tar -C "$OCUMETRA_SOURCE" --null -T - -cf - | tar -C "$m/src" -xf -
exec chroot "$m" /usr/bin/env -i HOME=/root TMPDIR=/tmp LANG=C.UTF-8 \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  ${OCUMETRA_JOBS:+OCUMETRA_JOBS=$OCUMETRA_JOBS} ${CI:+CI=$CI} \
  ${OCUMETRA_TESTS_LEAVE_OUT:+"OCUMETRA_TESTS_LEAVE_OUT=$OCUMETRA_TESTS_LEAVE_OUT"} \
  bash -c "cd /src && bash scripts/test.sh"
'
echo "Running the tests in the Debian $suite root"
# unshare dies with this script (--pdeathsig), whatever signal ends it; it ignores TERM
# while it waits, so it is killed.
OCUMETRA_ROOT_DIR="$cache/root" OCUMETRA_RUN_LAYER="$run" OCUMETRA_SOURCE="$here" \
  setpriv --pdeathsig KILL \
  unshare --mount --propagation private --pid --net --fork --kill-child bash -c "$inside" &
child=$!
trap 'kill -KILL "$child" 2>/dev/null || true; wait "$child" 2>/dev/null || true; rm -rf "$run"' EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
status=0
wait "$child" || status=$?
exit "$status"
