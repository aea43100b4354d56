#!/usr/bin/env bash
# Builds the camera-link fuzz targets with clang (the whole program, instrumented) and
# runs each for a bounded time; prints each target's executions and coverage.
#   tests/fuzz/run-fuzz.sh [seconds per target]   (default 60)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
seconds="${1:-60}"
build="${OCUMETRA_FUZZ_BUILD_DIR:-$root/build-fuzz}"
bash "$root/scripts/install-deps.sh" --tools
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DOCUMETRA_FUZZ=ON -DOCUMETRA_BUILD_TESTS=OFF -DOCUMETRA_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target fuzz_wifi_link fuzz_wifi_replies

seed() { mkdir -p "$(dirname "$1")"; printf "$2" > "$1"; }
# Framer seeds: a split byte, then a bind reply, glued replies, a small photo message.
seed "$build/corpus/fuzz_wifi_link/bind" '\x03\x12\x34'
seed "$build/corpus/fuzz_wifi_link/glued" '\x05\x12\x34\x01\x00\x00\x12\x34\x06\x00\x00\x01\x01\x1e\x08\x00\x40\x00\x00'
seed "$build/corpus/fuzz_wifi_link/photo" '\x01\x12\x34\x12\x34\x09\x00\x00\x03\x00\x00\x00\xff\xd8\xff'
# Back-end seeds, as operations: 00 n bytes = the camera speaks, 01 t = a photo request,
# 02 = a send tick, 04 = timers. A bind, the handshake replies, a photo request, a notice.
seed "$build/corpus/fuzz_wifi_replies/handshake" \
'\x00\x01\x12\x34\x04\x00\x0c\x12\x34\x06\x00\x00\x01\x01\x1e\x08\x00\x40\x00\x00\x00\x0c\x12\x34\x08\x00\x00\x32\x28\x40\x1e\x01\x14\x1e\x00\x00\x0c\x12\x34\x08\x00\x00\x3c\x2d\x46\x1e\x01\x19\x1e\x00\x01\x00\x02\x00\x0c\x0f\x0f\x10\x00\x00\x01\x01\x1e\x05\x00\x40\x00\x00\x04'
if command -v convert >/dev/null; then
  # A real photo reply: header with the JPEG's length, then its bytes in chunks.
  python3 - "$build/corpus/fuzz_wifi_replies/photo" <<'PY'
import struct, subprocess, sys
jpeg = subprocess.run(["convert", "-size", "16x16", "xc:orange", "jpg:-"], capture_output=True, check=True).stdout
stream = b"\x12\x34\x09\x00\x00" + struct.pack("<I", len(jpeg)) + jpeg
ops = b"\x00\x01\x12\x34\x01\x00\x02"
for i in range(0, len(stream), 48):
    part = stream[i:i + 48]
    ops += b"\x00" + bytes([len(part) - 1]) + part
open(sys.argv[1], "wb").write(ops)
PY
fi

for target in fuzz_wifi_link fuzz_wifi_replies; do
  echo "== $target, $seconds s"
  "$build/bin/$target" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 -print_final_stats=1 \
    "$build/corpus/$target" > "$build/$target.log" 2>&1 || { tail -40 "$build/$target.log"; exit 1; }
  grep -E "^#[0-9]+[[:space:]]+DONE" "$build/$target.log" | tail -1 || true
  grep -E "stat::number_of_executed_units" "$build/$target.log"
done
