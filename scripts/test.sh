#!/usr/bin/env bash
# Sets up, builds and runs every test: the Debug suite built with
# AddressSanitizer and UndefinedBehaviorSanitizer (one build serves both: a
# plain build would run the same tests and catch nothing more), then a short
# fuzz pass over the files the plug-in reads. About 9 minutes on a fresh
# two-core machine.
#   TICKERDECK_PLAIN=1 scripts/test.sh       # a plain Debug build in build-test instead
#   TICKERDECK_SKIP_FUZZ=1 scripts/test.sh   # leave out the fuzz pass
#   TICKERDECK_SKIP_THREADS=1 scripts/test.sh  # leave out the ThreadSanitizer pass
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

if [[ "${TICKERDECK_PLAIN:-0}" == 1 ]]; then
  scripts/build.sh build-test -DCMAKE_BUILD_TYPE=Debug -DTICKERDECK_TESTS=ON -DTICKERDECK_SANITIZE=OFF
  ctest --test-dir build-test --output-on-failure -j 2
else
  scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTICKERDECK_TESTS=ON -DTICKERDECK_SANITIZE=ON
  # GTK and fontconfig keep caches alive until exit; only our leaks matter.
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j 2
fi

# The tests of the code that starts threads, once more under ThreadSanitizer
# (its own tree: it cannot share one with AddressSanitizer).
if [[ "${TICKERDECK_SKIP_THREADS:-0}" != 1 ]]; then
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTICKERDECK_TESTS=ON \
    -DTICKERDECK_SANITIZE_THREAD=ON > /dev/null
  cmake --build build-tsan -j "$(nproc)" --target thread_tests
  ctest --test-dir build-tsan -L threads --output-on-failure
fi

if [[ "${TICKERDECK_SKIP_FUZZ:-0}" != 1 ]]; then
  scripts/fuzz.sh 10
fi
