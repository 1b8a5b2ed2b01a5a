#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one of them.
#   scripts/fuzz.sh TARGET [SECONDS]   e.g. scripts/fuzz.sh archive_reader_fuzz 600
# Findings land in fuzz-findings/TARGET; the seed corpus is tests/fuzz/corpus/TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}
seconds=${2:-600}
command -v clang++ >/dev/null || { echo "clang++ is needed for fuzzing"; exit 1; }
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target "$target"
mkdir -p "fuzz-findings/$target" "build-fuzz/corpus/$target"
./build-fuzz/tests/fuzz/"$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
  -artifact_prefix="fuzz-findings/$target/" "build-fuzz/corpus/$target" "tests/fuzz/corpus/$target"
