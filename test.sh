#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (core with AddressSanitizer and
# UndefinedBehaviorSanitizer) with two jobs and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

build=build-test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKAPIBUCH_SANITIZE=ON -DKAPIBUCH_TESTS=ON -DKAPIBUCH_BENCH=ON >/dev/null
cmake --build "$build" -j2

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j2 --timeout 600
