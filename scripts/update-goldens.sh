#!/usr/bin/env bash
# Records every golden output anew from a build (default build-dev): the command-line
# tool's outputs of the two golden portfolios (tests/data/golden/<portfolio>/), the screen
# recordings of the views (tests/data/golden/screen/) and the sample portfolio's file with
# its fuzz seed. The only way to update them: tests compare and never write. Look at
# `git diff tests/data` and say in the commit why the outputs moved.
#   scripts/update-goldens.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-dev}
cli=$build/src/kapibuch-cli
for needed in "$cli" "$build/tests/views_ModesTest" "$build/tests/document_FileLayoutTest"; do
  [ -x "$needed" ] || { echo "$needed is missing: build first (cmake --build $build)" >&2; exit 1; }
done
for portfolio in Musterdepot generated-small; do
  case $portfolio in
    Musterdepot) file=$root/examples/Musterdepot.kpz ;;
    *) file=$root/tests/data/$portfolio.kpz ;;
  esac
  rm -rf "$root/tests/data/golden/$portfolio"
  "$root/tests/golden/outputs.sh" "$cli" "$file" "$root/tests/data/golden/$portfolio"
done
export KAPIBUCH_UPDATE_GOLDEN=1 QT_QPA_PLATFORM=offscreen
"$build/tests/views_ModesTest" --gtest_filter='*Golden*:*Screen*' --gtest_brief=1
"$build/tests/document_FileLayoutTest" --gtest_filter='*Golden*' --gtest_brief=1
git -C "$root" status --short tests/data
