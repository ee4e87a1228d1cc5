#!/usr/bin/env bash
# Runs one libFuzzer target for SECONDS seconds (default 60).
#
#   scripts/fuzz.sh image_decoder [SECONDS]    the PNG and GIF decoders
#   scripts/fuzz.sh project_reader [SECONDS]   the project-file and clipboard-text reader
#
# Builds with clang in build-fuzz/ (every target instrumented, address and undefined-behaviour
# sanitizers on). The committed seeds in fuzz/corpus/<name> are read but never changed; inputs the
# fuzzer finds go to build-fuzz/corpus-<name>, and crashing inputs to build-fuzz/findings/.
# Needs clang and its fuzzer runtime (Debian: clang, libclang-rt-14-dev).
set -euo pipefail

name=${1:-}
seconds=${2:-60}
case "$name" in
image_decoder) dict=images.dict ;;
project_reader) dict=xml.dict ;;
*)
    echo "usage: $0 image_decoder|project_reader [SECONDS]" >&2
    exit 2
    ;;
esac
if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
    echo "usage: $0 image_decoder|project_reader [SECONDS]" >&2
    exit 2
fi
command -v clang++ >/dev/null || { echo "fuzz: clang++ is not installed (apt-get install clang libclang-rt-14-dev)" >&2; exit 1; }

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DKX_FUZZ=ON -DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCH=OFF >/dev/null
ninja -C "$build" "${name}_fuzz"

mkdir -p "$build/corpus-$name" "$build/findings"
# The findings folder keeps any crash; the exit status says whether there was one.
exec "$build/fuzz/${name}_fuzz" \
    -max_total_time="$seconds" \
    -rss_limit_mb=2048 \
    -timeout=10 \
    -dict="$root/fuzz/$dict" \
    -artifact_prefix="$build/findings/" \
    -print_final_stats=1 \
    "$build/corpus-$name" "$root/fuzz/corpus/$name"
