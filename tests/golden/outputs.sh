#!/usr/bin/env bash
# Writes every output the command-line tool gives for a portfolio into a folder, in forms a
# reviewer can read and that do not depend on the exact Qt, poppler and font versions:
#   dump.json, show-<mode>.{text,csv,json}     as printed (the daily views 2, 5 and 6 for 2001)
#   render-<mode>-page<n>.svg.txt              the texts drawn on the first two SVG pages
#   render-<mode>.pdf.txt                      the PDF's text (pdftotext, blanks squeezed)
#   render-<mode>-page<n>.png                  its first two pages at 50 dpi in grey
# A command that fails leaves <name>.exit with its status and message instead.
#   outputs.sh CLI FILE FOLDER [MODES]
set -euo pipefail
cli=${1:?usage: outputs.sh CLI FILE FOLDER [MODES]}
file=${2:?usage: outputs.sh CLI FILE FOLDER [MODES]}
out=${3:?usage: outputs.sh CLI FILE FOLDER [MODES]}
modes=${4:-"1 2 3 4 5 6 7 8 9"}
export KAPIBUCH_TODAY=31.12.2024
export LC_ALL=C.UTF-8
export TZ=UTC
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

emit() {  # name, then the command; its standard output becomes the file
  local name=$1 status=0
  shift
  "$@" >"$out/$name" 2>"$work/err" || status=$?
  if [ "$status" -ne 0 ]; then
    rm -f "$out/$name"
    { echo "exit $status"; cat "$work/err"; } >"$out/$name.exit"
  fi
}

# The texts of an SVG page, one per line, in the order they are drawn.
svg_texts() {
  tr '\n' ' ' <"$1" | grep -o '<text[^>]*>[^<]*</text>' | sed 's/<[^>]*>//g' || true
}

emit dump.json "$cli" dump "$file"
year=(--from 01.01.2001 --to 31.12.2001)
for m in $modes; do
  extra=()
  case $m in
    2 | 5) extra=("${year[@]}") ;;
    6) extra=(--select 0,1,2 "${year[@]}") ;;
  esac
  for f in text csv json; do
    emit "show-$m.$f" "$cli" show "$file" --mode "$m" "${extra[@]}" --format "$f"
  done
  extra=()
  [ "$m" = 6 ] && extra=(--select 0,1,2)
  for p in 1 2; do
    if "$cli" render "$file" --mode "$m" "${extra[@]}" --page "$p" --output "$work/page.svg" 2>"$work/err"; then
      svg_texts "$work/page.svg" >"$out/render-$m-page$p.svg.txt"
    else
      { echo "exit $?"; cat "$work/err"; } >"$out/render-$m-page$p.svg.exit"
    fi
  done
done
for m in $modes; do
  extra=()
  case $m in
    2) extra=("${year[@]}") ;;
    6) extra=(--select 0,1,2) ;;
  esac
  if ! "$cli" render "$file" --mode "$m" "${extra[@]}" --output "$work/doc.pdf" 2>"$work/err"; then
    { echo "exit $?"; cat "$work/err"; } >"$out/render-$m.pdf.exit"
    continue
  fi
  pdftotext -enc UTF-8 "$work/doc.pdf" - | tr -s ' \t' ' ' | sed 's/^ //; s/ $//' | grep -v '^$' \
    >"$out/render-$m.pdf.txt" || true
  pdftoppm -r 50 -gray -png -f 1 -l 2 "$work/doc.pdf" "$work/pdfpage"
  for png in "$work"/pdfpage-*.png; do
    n=${png##*-}
    mv "$png" "$out/render-$m-page$((10#${n%.png})).png"
  done
done
# The holdings of a day in the past.
emit "show-1-day.text" "$cli" show "$file" --mode 1 --day 30.06.2001 --format text
