#!/usr/bin/env bash
# Builds the camera-link fuzz target with clang and runs it for a bounded time.
#   tests/fuzz/run-fuzz.sh [seconds]   (default 60)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
seconds="${1:-60}"
build="${OCUMETRA_FUZZ_BUILD_DIR:-$here/../../build-fuzz}"
bash "$here/../../scripts/install-deps.sh" --tools
CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fuzz_wifi_link
corpus="$build/corpus"
mkdir -p "$corpus"
# Seeds: a bind reply, glued replies and a small photo message.
printf '\x03\x12\x34' > "$corpus/bind"
printf '\x05\x12\x34\x01\x00\x00\x12\x34\x06\x00\x00\x01\x01\x1e\x08\x00\x40\x00\x00' > "$corpus/glued"
printf '\x01\x12\x34\x12\x34\x09\x00\x00\x03\x00\x00\x00\xff\xd8\xff' > "$corpus/photo"
"$build/fuzz_wifi_link" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 "$corpus"
