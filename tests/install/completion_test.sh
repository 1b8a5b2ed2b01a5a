#!/usr/bin/env bash
# The bash completion of kapibuch-cli, driven as bash drives it (COMP_WORDS, COMP_CWORD) with
# the built program: commands, options from the command's help, option values, portfolio files.
#   completion_test.sh CLI COMPLETION_SCRIPT
set -uo pipefail
export LC_ALL=C.UTF-8
cli=$(realpath "$1")
# shellcheck source=/dev/null
source "$2"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" && mkdir -p konten && touch depot.kpz alt.kpz kurse.txt konten/x.kpz

failed=0
# expect "WORDS..." -- EXPECTED...: completing the last word gives exactly EXPECTED (sorted).
expect() {
  local words=() expected=()
  while [ "$1" != -- ]; do words+=("$1"); shift; done
  shift
  expected=("$@")
  COMP_WORDS=("$cli" "${words[@]}")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _kapibuch_cli 2>/dev/null
  local got want
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort)
  want=$(printf '%s\n' "${expected[@]}" | sort)
  if [ "$got" != "$want" ]; then
    echo "FAILED: kapibuch-cli ${words[*]}<TAB>"
    echo "  expected: $(tr '\n' ' ' <<<"$want")"
    echo "  got:      $(tr '\n' ' ' <<<"$got")"
    failed=1
  fi
}
# contains "WORDS..." -- WANTED...: the completions include WANTED.
contains() {
  local words=()
  while [ "$1" != -- ]; do words+=("$1"); shift; done
  shift
  COMP_WORDS=("$cli" "${words[@]}")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _kapibuch_cli 2>/dev/null
  local w c found
  for w in "$@"; do
    # Looked up in the shell: `printf | grep -q` under pipefail fails when grep stops early.
    found=0
    for c in "${COMPREPLY[@]}"; do [ "$c" = "$w" ] && found=1; done
    [ "$found" = 1 ] ||
      { echo "FAILED: kapibuch-cli ${words[*]}<TAB> lacks $w (got: ${COMPREPLY[*]})"; failed=1; }
  done
}

# Commands: every one the program lists, and only commands.
commands=$("$cli" --help | awk '/^Befehle:$/ { on = 1; next } on && /^  [^ ]/ { print $1 }')
# shellcheck disable=SC2086
expect "" -- $commands
expect sh -- show
expect s -- sell split switch-eur show source
expect --v -- --version

# The portfolio file: .kpz files and folders, not other files.
expect buy "" -- alt.kpz depot.kpz konten
expect buy d -- depot.kpz
expect buy konten/ -- konten/x.kpz

# Options of the command, without those already given; after the file, options only.
contains buy depot.kpz --co -- --commission
expect buy depot.kpz --date 01.01.2000 --price 5 --co -- --commission
contains buy depot.kpz --date 01.01.2000 "" -- --name --wkn --qty
expect buy depot.kpz --date 01.01.2000 --d -- --dry-run
expect import depot.kpz --format-f -- --format-file
expect render depot.kpz --outp -- --output

# Values: choices and ranges from the help, files where the option takes a file.
expect show depot.kpz --format "" -- text csv json
expect show depot.kpz --format = j -- json
expect show depot.kpz --format = -- text csv json
contains show depot.kpz --mode "" -- 1 2 7
expect move depot.kpz --kind Sonst -- 'Sonstige\ Erträge' 'Sonstige\ Kosten'
expect move depot.kpz --kind '"Zinsk' -- '"Zinskosten (Soll-Zins)'
expect move depot.kpz --book-to d -- dividende
expect import depot.kpz --input k -- konten kurse.txt
expect import depot.kpz --format 1 -- 1 10
expect new depot.kpz --currency "" -- EUR DM
expect buy depot.kpz --name "" --

[ $failed = 0 ] && echo "all completions as expected"
exit $failed
