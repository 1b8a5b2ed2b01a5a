#!/usr/bin/env bash
# Compares every output of the command-line tool for a portfolio with the recorded folder:
# texts with a readable diff, page images with pagediff (a difference image is left in
# DIFFS). After an intended change of output: scripts/update-goldens.sh, and say why in the
# commit.
#   compare.sh CLI FILE GOLDEN_FOLDER PAGEDIFF DIFFS
set -euo pipefail
here=$(dirname "$0")
cli=$1 file=$2 golden=$3 pagediff=$4 diffs=$5
actual=$(mktemp -d)
trap 'rm -rf "$actual"' EXIT
"$here/outputs.sh" "$cli" "$file" "$actual"
rm -rf "$diffs"
mkdir -p "$diffs"
failed=0
while read -r name; do
  if [ ! -e "$actual/$name" ]; then
    echo "missing now: $name"
    failed=1
  elif [ ! -e "$golden/$name" ]; then
    echo "new output, not recorded: $name"
    failed=1
  elif [[ $name == *.png ]]; then
    if ! verdict=$("$pagediff" "$golden/$name" "$actual/$name" "$diffs/${name%.png}.diff.png"); then
      echo "differs: $name: $verdict"
      cp "$actual/$name" "$diffs/$name"
      failed=1
    fi
  elif ! cmp -s "$golden/$name" "$actual/$name"; then
    echo "differs: $name"
    diff -u --label "recorded/$name" --label "now/$name" "$golden/$name" "$actual/$name" | head -n 60 || true
    cp "$actual/$name" "$diffs/$name"
    failed=1
  fi
done < <( (ls "$golden"; ls "$actual") | sort -u)
if [ "$failed" -ne 0 ]; then
  echo "outputs of $file differ from $golden (what they are now: $diffs)"
  exit 1
fi
rmdir "$diffs" 2>/dev/null || true
echo "all outputs of $file as recorded"
