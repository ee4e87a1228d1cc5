#!/usr/bin/env bash
# A long run of the random editing test under AddressSanitizer and UndefinedBehaviorSanitizer:
#   scripts/random-editing.sh [STEPS [SEED...]]
# STEPS is the number of steps of each sequence (default 100000, split over the seeds given or
# over seeds 1 to 10); each seed runs one sequence. A failure prints the seed and every step, and
# KX_RANDOM_SEED=seed KX_RANDOM_STEPS=steps replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

total=${1:-100000}
shift || true
seeds=("$@")
if [ ${#seeds[@]} -eq 0 ]; then
    seeds=(1 2 3 4 5 6 7 8 9 10)
fi
steps=$((total / ${#seeds[@]}))

if [ ! -x build-asan/tests/random_editing_test ]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKX_SANITIZE=ON >/dev/null
fi
cmake --build build-asan --target random_editing_test
bash examples/demo/link-fonts.sh

failed=0
for seed in "${seeds[@]}"; do
    echo "seed $seed, $steps steps"
    if ! QT_QPA_PLATFORM=offscreen KX_RANDOM_SEED=$seed KX_RANDOM_STEPS=$steps \
        build-asan/tests/random_editing_test; then
        failed=1
    fi
done
exit $failed
