#!/usr/bin/env bash
# Fails when a source of the core (everything below the qt line) includes Qt.
set -u
src=${1:?usage: check_core_no_qt.sh SRC_DIR}
core_dirs=(base model document priceio views forms)
files=()
for d in "${core_dirs[@]}"; do
  [ -d "$src/$d" ] && while IFS= read -r f; do files+=("$f"); done < <(find "$src/$d" -type f \( -name '*.h' -o -name '*.cpp' \))
done
while IFS= read -r f; do files+=("$f"); done < <(find "$src/platform" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \))
[ ${#files[@]} -gt 0 ] || { echo "no core sources found under $src"; exit 1; }
hits=$(grep -n -E '^\s*#\s*include\s*[<"](Q[A-Za-z0-9_]*|Qt[A-Za-z0-9_]*/[^>"]*)[>"]' "${files[@]}")
if [ -n "$hits" ]; then
  echo "core sources include Qt:"
  echo "$hits"
  exit 1
fi
echo "checked ${#files[@]} core sources: no Qt includes"
