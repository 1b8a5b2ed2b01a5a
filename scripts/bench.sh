#!/usr/bin/env bash
# Builds the benchmarks optimised (no sanitizers) and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKAPIBUCH_BENCH=ON -DKAPIBUCH_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target portfolio_bench cli_dump_bench
./build-bench/bench/portfolio_bench "$@"
./build-bench/bench/cli_dump_bench
