#!/usr/bin/env bash
# Fails when a source in src/ includes a header of a folder on its own floor (other than
# its own folder) or on a higher floor, by the floors listed in LAYERS.
#   check_layers.sh SRC_DIR LAYERS
set -u
src=${1:?usage: check_layers.sh SRC_DIR LAYERS}
layers=${2:?usage: check_layers.sh SRC_DIR LAYERS}
declare -A floor
n=0
while read -r line; do
  line=${line%%#*}
  [ -z "${line// /}" ] && continue
  for folder in $line; do floor[$folder]=$n; done
  n=$((n + 1))
done <"$layers"

bad=0
checked=0
while IFS= read -r file; do
  rel=${file#"$src"/}
  own=${rel%%/*}
  [ -n "${floor[$own]+x}" ] || { echo "$rel: folder $own is on no floor"; bad=1; continue; }
  checked=$((checked + 1))
  while IFS= read -r target; do
    [ "$target" = "$own" ] && continue
    [ -n "${floor[$target]+x}" ] || continue  # not one of ours (a system or library header)
    if [ "${floor[$target]}" -ge "${floor[$own]}" ]; then
      echo "$rel includes $target/ (floor ${floor[$target]}) from floor ${floor[$own]}"
      bad=1
    fi
  done < <(sed -n -E 's/^\s*#\s*include\s*"([a-z]+)\/.*/\1/p' "$file" | sort -u)
done < <(find "$src" -mindepth 2 -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
[ "$checked" -gt 0 ] || { echo "no sources found under $src"; exit 1; }
[ "$bad" = 0 ] && echo "checked $checked sources: every include points down"
exit "$bad"
