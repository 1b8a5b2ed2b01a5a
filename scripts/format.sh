#!/usr/bin/env bash
# Formats the C++ sources with clang-format 14 (.clang-format); with --check only lists the
# files it would change and fails when there are any. Pinned to version 14, Debian 12's:
# other versions format the same code differently. Where it is missing, the check is
# skipped with a note.
#   scripts/format.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
[ "${1:-}" = "--check" ] && check=1
tool=""
for candidate in clang-format-14 clang-format; do
  if command -v "$candidate" >/dev/null && "$candidate" --version | grep -q 'version 14\.'; then
    tool=$candidate
    break
  fi
done
if [ -z "$tool" ]; then
  echo "Formatprüfung übersprungen (clang-format 14 fehlt)"
  exit 0
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h' | grep -v '^tests/data/')
else
  mapfile -t files < <(find src tests bench -name '*.cpp' -o -name '*.h' | grep -v '^tests/data/' | sort)
fi
if [ "$check" -eq 0 ]; then
  "$tool" -i "${files[@]}"
  exit 0
fi
# One run over every file; it names each place it would change.
mapfile -t unformatted < <("$tool" --dry-run --Werror "${files[@]}" 2>&1 |
  sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u)
if [ ${#unformatted[@]} -ne 0 ]; then
  echo "Nicht nach .clang-format formatiert (scripts/format.sh formatiert sie):"
  printf '  %s\n' "${unformatted[@]}"
  exit 1
fi
echo "Formatprüfung: ${#files[@]} Dateien in Ordnung"
