#!/usr/bin/env bash
# Builds the Debian package (cpack -G DEB) and checks it as a user would meet it: its Depends
# name the package of every library the programs link and the run-time packages no link
# shows, every one of them is a package this machine has, and the programs unpacked from it
# (dpkg-deb -x) start: kapibuch-cli answers --version, kapibuch shows its window under Xvfb
# and finds its help pages beside itself.
#   check_package.sh BUILD_DIR VERSION
# Skips (exit 77) when a needed tool is not installed, unless KAPIBUCH_NEED_TOOLS=1.
set -euo pipefail
build=$(cd "$1" && pwd) expected_version=$2

for tool in "${CPACK:-cpack}" dpkg-deb dpkg-shlibdeps readelf xvfb-run xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is not installed (scripts/install-deps.sh installs it)"
    [ "${KAPIBUCH_NEED_TOOLS:-0}" = 1 ] && exit 1
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

(cd "$work" && "${CPACK:-cpack}" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) || {
  cat "$work/cpack.log"
  exit 1
}
debs=("$work"/out/kapitalbuch_"$expected_version"_*.deb)
[ -f "${debs[0]}" ] || { echo "FAILED: no kapitalbuch_${expected_version}_*.deb"; ls "$work/out"; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

# The description names every view the program has (the table of its own `show --help`).
description=$(dpkg-deb -f "$deb" Description | tr '\n' ' ' | sed 's/  */ /g')
views=$("$build/src/kapibuch-cli" show --help | awk '/^Ansichten:$/ { on = 1; next } on && /^[^ ]/ { on = 0 } on && /^  [0-9]/ { $1 = $2 = $3 = ""; sub(/^ +/, ""); print }')
[ "$(wc -l <<<"$views")" = 9 ] || fail "show --help lists $(wc -l <<<"$views") views, not 9"
while IFS= read -r view; do
  grep -qF -- "$view" <<<"$description" || fail "the package description does not name the view $view"
done <<<"$views"
[ "$(dpkg-deb -f "$deb" Recommends)" = "bash-completion, ca-certificates" ] || fail "the package does not recommend bash-completion and ca-certificates"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//' | sort -u)
for needed in qt6-qpa-plugins qt6-translations-l10n fonts-liberation; do
  grep -qx "$needed" <<<"$names" || fail "Depends lacks $needed"
done
for name in $names; do
  dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' ||
    fail "Depends names $name, which is not an installed package"
done

stage=$work/stage
dpkg-deb -x "$deb" "$stage"
for program in kapibuch kapibuch-cli; do
  binary=$stage/usr/bin/$program
  [ -x "$binary" ] || { fail "the package has no /usr/bin/$program"; continue; }
  # The package of every library the program links by name must be in Depends.
  for lib in $(readelf -d "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    # "libx.so => /path (0x…)", or the dynamic loader's own line "/lib64/ld-linux….so.2 (0x…)".
    path=$(ldd "$binary" | awk -v lib="$lib" '$1 == lib { print $3 } $1 ~ ("/" lib "$") { print $1 }' | head -n 1)
    owner=""
    for candidate in "$path" "$(readlink -f "$path")" "${path#/usr}" "/usr$path"; do
      [ -n "$path" ] || break
      owner=$(dpkg-query -S "$candidate" 2>/dev/null | head -n 1 | cut -d: -f1) && [ -n "$owner" ] && break
    done
    [ -n "$owner" ] || { fail "$program links $lib ($path), which no package holds"; continue; }
    grep -qx "$owner" <<<"$names" || fail "$program links $lib from $owner, which Depends lacks"
  done
done

version=$(env -u QT_QPA_PLATFORM "$stage/usr/bin/kapibuch-cli" --version) || fail "the packaged kapibuch-cli does not start"
[ "$version" = "kapibuch-cli $expected_version" ] || fail "kapibuch-cli --version says '$version'"
[ -f "$stage/usr/bin/../share/kapitalbuch/help/index.html" ] || fail "no help pages beside the program"

# The desktop program on a real X server (Xvfb), without a window manager, with a portfolio.
cp "$(dirname "$0")/../../examples/Musterdepot.kpz" "$work/"
cat >"$work/window.sh" <<'SCRIPT'
"$1" "$2" & pid=$!
for _ in $(seq 100); do
  # The main window: Kapitalbuch's window class and a real size (not Qt's 1x1 helper windows).
  window=$(xwininfo -root -tree | awk '/"Kapitalbuch[^"]*": \("kapibuch" "Kapitalbuch"\)/ {
    split($0, a, "\\) +"); split(a[2], g, "[x+]"); if (g[1] >= 400 && g[2] >= 300) print }')
  if [ -n "$window" ]; then
    echo "$window"
    kill "$pid"; wait "$pid" 2>/dev/null
    exit 0
  fi
  kill -0 "$pid" 2>/dev/null || { echo "kapibuch ended before showing a window"; exit 1; }
  sleep 0.1
done
kill "$pid"
echo "no Kapitalbuch window after 10 seconds"
exit 1
SCRIPT
mkdir -m 700 "$work/run"
out=$(env -u QT_QPA_PLATFORM HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run" \
  xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/window.sh" "$stage/usr/bin/kapibuch" "$work/Musterdepot.kpz" 2>&1) ||
  fail "kapibuch under Xvfb: $out"
echo "window: $out"

[ $failed = 0 ] && echo "package $(basename "$deb") checked"
exit $failed
