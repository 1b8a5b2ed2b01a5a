#!/usr/bin/env bash
# Writes the manual page of kapibuch-cli: the hand-written template with the commands and
# their options taken from the program's own help, so that options are described in one
# place only (the program).
#   make-cli-page.sh CLI TEMPLATE OUTPUT
set -euo pipefail
cli=$1 template=$2 output=$3
here=$(dirname "$0")

version=$("$cli" --version)
version=${version##* }
summary=$("$cli" --help | head -n 1)
summary=${summary#*: }
commands=$("$cli" --help | awk '/^Befehle:$/ { on = 1; next } on && /^  [^ ]/ { print $1 } /^$/ { on = 0 }')
[ -n "$commands" ] || { echo "make-cli-page.sh: no commands in the help of $cli" >&2; exit 1; }

for command in $commands; do
  echo "@@COMMAND $command"
  "$cli" "$command" --help || exit 1
done | awk -f "$here/cli-commands.awk" > "$output.commands"

VERSION=$version SUMMARY=$summary awk -v commands="$output.commands" '
  /^@BEFEHLE@$/ { while ((getline line < commands) > 0) print line; next }
  { gsub(/@VERSION@/, ENVIRON["VERSION"]); gsub(/@SUMMARY@/, ENVIRON["SUMMARY"]); print }
' "$template" > "$output.tmp"
rm "$output.commands"
mv "$output.tmp" "$output"
