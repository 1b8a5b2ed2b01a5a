#!/usr/bin/env bash
# Installs what is missing, builds Kapitalbuch optimised and starts it: with the file
# given, or with the sample portfolio.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target kapibuch kapibuch-cli
if [ $# -eq 0 ]; then
  set -- "$PWD/examples/Musterdepot.kpz"
fi
exec ./build-release/src/kapibuch "$@"
