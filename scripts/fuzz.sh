#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one briefly from the
# checked-in seeds: fuzz.sh [SECONDS-PER-TARGET] (default 15, so about a
# minute for all four). New inputs land in build-fuzz/fuzz/corpus, crashes
# in build-fuzz/fuzz as crash-* files.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTICKERDECK_FUZZ=ON -DTICKERDECK_TESTS=OFF -DFUZZ_SECONDS="$seconds" > /dev/null
cmake --build build-fuzz -j 2 --target fuzz_window_node fuzz_default_layout fuzz_store fuzz_watchlist_file
ctest --test-dir build-fuzz -L fuzz --output-on-failure
