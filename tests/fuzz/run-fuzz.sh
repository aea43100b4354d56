#!/usr/bin/env bash
# Builds the fuzz targets with clang (instrumented, beside the normal build) and runs
# each for a bounded time; prints each target's executions and coverage.
#   tests/fuzz/run-fuzz.sh [seconds per target] [target ...]   (default 60, all targets)
# The test suite runs the small targets for a few seconds each (ctest: fuzz_bounded).
# Nothing is installed here (scripts/install-deps.sh installs clang): without clang and
# its libFuzzer the run ends with code 77, which ctest reports as skipped.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_settings fuzz_companion_link fuzz_wifi_photo fuzz_wifi_link fuzz_wifi_replies)
fi
build="${OCUMETRA_FUZZ_BUILD_DIR:-$root/build-fuzz}"
jobs="${OCUMETRA_JOBS:-$(nproc 2>/dev/null || echo 2)}"
missing=""
for tool in clang clang++; do
  command -v "$tool" >/dev/null || missing="$missing $tool"
done
if [ -z "$missing" ]; then
  probe="$(mktemp -d)"
  trap 'rm -rf "$probe"' EXIT
  echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' > "$probe/probe.cpp"
  clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null || missing=" libFuzzer"
fi
if [ -n "$missing" ]; then
  echo "SKIPPED: fuzzing needs clang with its libFuzzer; missing here:$missing. bash scripts/install-deps.sh installs clang."
  exit 77
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DOCUMETRA_FUZZ=ON -DOCUMETRA_BUILD_TESTS=OFF -DOCUMETRA_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel "$jobs" --target "${targets[@]}"

# A private home: nothing here may touch the user's.
export HOME="$build/home" XDG_RUNTIME_DIR="$build/runtime" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

seed() { mkdir -p "$(dirname "$1")"; printf "$2" > "$1"; }
# Framer seeds: a split byte, then a bind reply, glued replies, a small photo message.
seed "$build/corpus/fuzz_wifi_link/bind" '\x03\x12\x34'
seed "$build/corpus/fuzz_wifi_link/glued" '\x05\x12\x34\x01\x00\x00\x12\x34\x06\x00\x00\x01\x01\x1e\x08\x00\x40\x00\x00'
seed "$build/corpus/fuzz_wifi_link/photo" '\x01\x12\x34\x12\x34\x09\x00\x00\x03\x00\x00\x00\xff\xd8\xff'
# Back-end seeds, as operations: 00 n bytes = the camera speaks, 01 t = a photo request,
# 02 = a send tick, 04 = timers. A bind, the handshake replies, a photo request, a notice.
seed "$build/corpus/fuzz_wifi_replies/handshake" \
'\x00\x01\x12\x34\x04\x00\x0c\x12\x34\x06\x00\x00\x01\x01\x1e\x08\x00\x40\x00\x00\x00\x0c\x12\x34\x08\x00\x00\x32\x28\x40\x1e\x01\x14\x1e\x00\x00\x0c\x12\x34\x08\x00\x00\x3c\x2d\x46\x1e\x01\x19\x1e\x00\x01\x00\x02\x00\x0c\x0f\x0f\x10\x00\x00\x01\x01\x1e\x05\x00\x40\x00\x00\x04'
# A real photo reply: header with the JPEG's length, then its bytes in chunks.
python3 - "$build/corpus/fuzz_wifi_replies/photo" "$here/corpus/fuzz_wifi_photo/baseline.jpg" <<'PY'
import struct, sys
jpeg = open(sys.argv[2], "rb").read()
stream = b"\x12\x34\x09\x00\x00" + struct.pack("<I", len(jpeg)) + jpeg
ops = b"\x00\x01\x12\x34\x01\x00\x02"
for i in range(0, len(stream), 48):
    part = stream[i:i + 48]
    ops += b"\x00" + bytes([len(part) - 1]) + part
open(sys.argv[1], "wb").write(ops)
PY
# Companion-link seeds (the first byte cuts the reads): a connect reply, glued replies
# with a finished video, half a packet.
seed "$build/corpus/fuzz_companion_link/connect" '\x03TSMT8\x00\x00\x000END'
seed "$build/corpus/fuzz_companion_link/glued" '\x05TSMT8\x00\x00\x002ENDTSMT21\x00\x001;/tmp/a/b.mp4ENDTSMT8\x00\x00\x003END'
seed "$build/corpus/fuzz_companion_link/half" '\x01TSMT12\x00\x001;x'

for target in "${targets[@]}"; do
  max_len=4096
  [ "$target" = fuzz_wifi_photo ] && max_len=32768
  [ "$target" = fuzz_settings ] && max_len=2097152
  corpora=("$build/corpus/$target")
  mkdir -p "${corpora[0]}"
  # Seeds kept with the sources are read, never written.
  [ -d "$here/corpus/$target" ] && corpora+=("$here/corpus/$target")
  echo "== $target, $seconds s"
  "$build/bin/$target" -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/$target-" \
    "${corpora[@]}" > "$build/$target.log" 2>&1 || { tail -40 "$build/$target.log"; exit 1; }
  grep -E "^#[0-9]+[[:space:]]+DONE" "$build/$target.log" | tail -1 || true
  grep -E "stat::number_of_executed_units" "$build/$target.log"
done
