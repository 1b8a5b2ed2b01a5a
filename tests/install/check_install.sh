#!/usr/bin/env bash
# Installs the build into a staging directory (DESTDIR) and checks what lands there: every
# file in its place, the desktop entry, AppStream metainfo and MIME type valid and naming
# each other, both manual pages rendering without a warning, the completion script sound.
#   check_install.sh BUILD_DIR VERSION
# A validator that is not installed skips the test (exit 77), unless KAPIBUCH_NEED_TOOLS=1.
set -euo pipefail
build=$1 expected_version=$2

for tool in desktop-file-validate appstreamcli xmllint man update-mime-database; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is not installed (scripts/install-deps.sh installs it)"
    [ "${KAPIBUCH_NEED_TOOLS:-0}" = 1 ] && exit 1
    exit 77
  fi
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage "${CMAKE:-cmake}" --install "$build" --prefix /usr >/dev/null
usr=$stage/usr
share=$usr/share
id=io.kapitalbuch.Kapitalbuch
failed=0
fail() { echo "FAILED: $*"; failed=1; }

for f in bin/kapibuch bin/kapibuch-cli \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/mime/packages/kapitalbuch.xml share/icons/hicolor/scalable/apps/kapitalbuch.svg \
         share/kapitalbuch/help/index.html share/man/man1/kapibuch.1.gz share/man/man1/kapibuch-cli.1.gz \
         share/bash-completion/completions/kapibuch-cli; do
  [ -f "$usr/$f" ] || fail "not installed: /usr/$f"
done
[ -x "$usr/bin/kapibuch" ] && [ -x "$usr/bin/kapibuch-cli" ] || fail "programs are not executable"

desktop=$share/applications/$id.desktop
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate reports: $out"
exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$usr/bin/$exec" ] || fail "the desktop entry starts '$exec', which is not installed"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "the desktop entry's icon '$icon' is not installed"

out=$(appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" 2>&1) || fail "appstreamcli: $out"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not launch $id.desktop"
grep -q '<screenshot type="default">' "$share/metainfo/$id.metainfo.xml" || fail "the metainfo has no screenshot"
grep -q "<release version=\"$expected_version\"" "$share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo's release is not $expected_version"

mimefile=$share/mime/packages/kapitalbuch.xml
out=$(xmllint --noout "$mimefile" 2>&1) || fail "xmllint: $out"
mimetype=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mimefile")
grep -q "^MimeType=.*$mimetype;" "$desktop" || fail "the desktop entry does not open $mimetype"
grep -q "<mediatype>$mimetype</mediatype>" "$share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not name $mimetype"
# The shared MIME database accepts the type and files it under its name.
out=$(update-mime-database "$share/mime" 2>&1) || fail "update-mime-database: $out"
[ -f "$share/mime/$mimetype.xml" ] || fail "update-mime-database did not take $mimetype"

for page in kapibuch kapibuch-cli; do
  file=$share/man/man1/$page.1.gz
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$file" 2>"$stage/man.err") || fail "man -l $page"
  [ -s "$stage/man.err" ] && fail "man -l $page warns: $(cat "$stage/man.err")"
  grep -q "^BESCHREIBUNG" <<<"$text" || fail "$page(1) has no BESCHREIBUNG"
done
# The command-line page lists every command of the installed program with its options.
text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$share/man/man1/kapibuch-cli.1.gz" 2>/dev/null)
commands=$("$usr/bin/kapibuch-cli" --help | awk '/^Befehle:$/ { on = 1; next } on && /^  [^ ]/ { print $1 }')
for command in $commands; do
  grep -q "^   $command \[OPTIONEN\]" <<<"$text" || fail "kapibuch-cli(1) lacks the command $command"
  for option in $("$usr/bin/kapibuch-cli" "$command" --help | grep -o '^  --[a-z-]*'); do
    [ "$option" = --help ] && continue
    grep -q -- "^       $option\b" <<<"$text" || fail "kapibuch-cli(1) lacks $command $option"
  done
done

# The views the program has (its own list: the table of `show --help`) are each named in the
# desktop program's manual page and in the AppStream description; texts are compared with
# lines joined and the man page's minus signs as hyphens.
flat() { tr '\n' ' ' | sed 's/−/-/g; s/‐/-/g; s/  */ /g'; }
views=$("$usr/bin/kapibuch-cli" show --help | awk '/^Ansichten:$/ { on = 1; next } on && /^[^ ]/ { on = 0 } on && /^  [0-9]/ { $1 = $2 = $3 = ""; sub(/^ +/, ""); print }')
[ "$(wc -l <<<"$views")" = 9 ] || fail "show --help lists $(wc -l <<<"$views") views, not 9"
manpage=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$share/man/man1/kapibuch.1.gz" 2>/dev/null | flat)
metainfo=$(flat <"$share/metainfo/$id.metainfo.xml")
while IFS= read -r view; do
  grep -qF -- "$view" <<<"$manpage" || fail "kapibuch(1) does not name the view $view"
  grep -qF -- "$view" <<<"$metainfo" || fail "the metainfo does not name the view $view"
done <<<"$views"
for topic in KAPIBUCH_TODAY KAPIBUCH_SETTINGS Sicherungskopien Wiederherstellung .kpz.lock; do
  grep -qF -- "$topic" <<<"$manpage" || fail "kapibuch(1) says nothing about $topic"
done

bash -n "$share/bash-completion/completions/kapibuch-cli" || fail "the completion script does not parse"
version=$("$usr/bin/kapibuch-cli" --version) || fail "the installed kapibuch-cli does not start"
[ "$version" = "kapibuch-cli $expected_version" ] || fail "kapibuch-cli --version says '$version', not $expected_version"

[ $failed = 0 ] && echo "installation in $stage checked"
exit $failed
