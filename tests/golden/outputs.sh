#!/usr/bin/env bash
# Prints one "sha256  name" line for every output the command-line tool gives for a
# portfolio: show in all view modes and formats, dump, SVG pages of render, PDFs of render
# without their creation time, and their first pages as pdftoppm draws them. The lines are
# compared with a checked-in list, so a change that moves a byte of what a user sees or a
# file holds is noticed.
#   outputs.sh CLI FILE [MODES]
set -euo pipefail
cli=${1:?usage: outputs.sh CLI FILE [MODES]}
file=${2:?usage: outputs.sh CLI FILE [MODES]}
modes=${3:-"1 2 3 4 5 6 7 8 9"}
export KAPIBUCH_TODAY=31.12.2024
export LC_ALL=C
# A PDF's creation time is written in local time; the fonts it embeds follow the order of a
# hash table, which is the same in every run only with a fixed seed.
export TZ=UTC
export QT_HASH_SEED=0
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

emit() {  # name, then the command
  local name=$1; shift
  if "$@" >"$work/out" 2>"$work/err"; then
    printf '%s  %s\n' "$(sha256sum <"$work/out" | cut -c1-64)" "$name"
  else
    printf 'exit-%s  %s\n' "$?" "$name"
  fi
}

emit dump "$cli" dump "$file"
for m in $modes; do
  extra=()
  case $m in
    6) extra=(--select 0,1,2) ;;
  esac
  for f in text csv json; do
    emit "show-$m.$f" "$cli" show "$file" --mode "$m" "${extra[@]}" --format "$f"
  done
  for p in 1 2; do
    if "$cli" render "$file" --mode "$m" "${extra[@]}" --page "$p" --output "$work/page.svg" 2>/dev/null; then
      printf '%s  %s\n' "$(sha256sum <"$work/page.svg" | cut -c1-64)" "render-$m-page$p.svg"
    else
      printf 'exit-%s  %s\n' "$?" "render-$m-page$p.svg"
    fi
  done
done
for m in $modes; do
  extra=()
  case $m in
    2) extra=(--from 01.01.2001 --to 31.12.2001) ;;
    6) extra=(--select 0,1,2) ;;
  esac
  if ! "$cli" render "$file" --mode "$m" "${extra[@]}" --output "$work/doc.pdf" 2>/dev/null; then
    printf 'exit-%s  %s\n' "$?" "render-$m.pdf"
    continue
  fi
  printf '%s  %s\n' "$(sed 's/^\/CreationDate (D:[^)]*)$/\/CreationDate ()/' "$work/doc.pdf" | sha256sum | cut -c1-64)" \
    "render-$m.pdf"
  for p in 1 2; do
    if pdftoppm -r 40 -f "$p" -l "$p" -singlefile -png "$work/doc.pdf" "$work/pdfpage" 2>/dev/null; then
      printf '%s  %s\n' "$(sha256sum <"$work/pdfpage.png" | cut -c1-64)" "render-$m-page$p.pdf.png"
    else
      printf 'none  %s\n' "render-$m-page$p.pdf.png"
    fi
  done
done
# A short period too, where the defaults of a window would cover decades.
emit "show-2-year.csv" "$cli" show "$file" --mode 2 --from 01.01.2001 --to 31.12.2001 --format csv
emit "show-1-day.text" "$cli" show "$file" --mode 1 --day 30.06.2001 --format text
