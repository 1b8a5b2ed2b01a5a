#!/usr/bin/env bash
# Compares the outputs of the command-line tool for a portfolio with the checked-in list.
# After an intended change of output: outputs.sh CLI FILE > EXPECTED, and say why in the commit.
#   compare.sh CLI FILE EXPECTED
set -euo pipefail
here=$(dirname "$0")
actual=$("$here/outputs.sh" "$1" "$2")
if ! diff -u "$3" - <<<"$actual"; then
  echo "outputs of $2 differ from $3"
  exit 1
fi
echo "all outputs of $2 as recorded"
