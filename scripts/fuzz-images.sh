#!/usr/bin/env bash
# Fuzzes the PNG and GIF decoders with libFuzzer for SECONDS seconds (default 60).
#
#   scripts/fuzz-images.sh [SECONDS]
#
# Builds with clang in build-fuzz/ (every target instrumented, address and undefined-behaviour
# sanitizers on). The committed seeds in fuzz/corpus/images are read but never changed; inputs the
# fuzzer finds go to build-fuzz/corpus-images, and crashing inputs to build-fuzz/findings/.
# Needs clang and its fuzzer runtime (Debian: clang, libclang-rt-14-dev or the matching version).
set -euo pipefail

seconds=${1:-60}
if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
    echo "usage: $0 [SECONDS]" >&2
    exit 2
fi
command -v clang++ >/dev/null || { echo "fuzz-images: clang++ is not installed" >&2; exit 1; }

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DKX_FUZZ=ON -DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCH=OFF >/dev/null
ninja -C "$build" image_decoder_fuzz

mkdir -p "$build/corpus-images" "$build/findings"
# The findings folder keeps any crash; the exit status says whether there was one.
exec "$build/fuzz/image_decoder_fuzz" \
    -max_total_time="$seconds" \
    -rss_limit_mb=2048 \
    -timeout=10 \
    -dict="$root/fuzz/images.dict" \
    -artifact_prefix="$build/findings/" \
    -print_final_stats=1 \
    "$build/corpus-images" "$root/fuzz/corpus/images"
