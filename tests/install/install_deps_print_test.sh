#!/usr/bin/env bash
# scripts/install-deps.sh --print --os-release FILE for each supported release: the clang
# runtime of that release's clang, clang-format-14 on Debian 12 only, exit status 0, and no
# call of apt-get, dpkg or sudo. An unknown release and wrong arguments fail with a message.
#   install_deps_print_test.sh [INSTALL_DEPS]
set -uo pipefail
export LC_ALL=C.UTF-8
here=$(cd "$(dirname "$0")" && pwd)
script=$(realpath "${1:-$here/../../scripts/install-deps.sh}")
samples=$here/os-release

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Stand-ins that note each call: the package tools, so that any attempt to install shows, and
# a clang 99 on the PATH, which the list for another release must not follow.
mkdir "$work/bin"
for tool in apt-get apt dpkg dpkg-query sudo; do
  printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\nexit 1\n' "$tool" "$work" >"$work/bin/$tool"
done
printf '#!/bin/sh\necho "clang $*" >>"%s/calls"\necho "Debian clang version 99.1.0"\n' "$work" >"$work/bin/clang"
chmod +x "$work/bin/"*
export PATH="$work/bin:$PATH"

failed=0
fail() { echo "FAILED: $*"; failed=1; }

# run ARGS...: runs the script; sets rc, out (stdout), err (stderr), calls (tools called).
run() {
  : >"$work/calls"
  rc=0
  "$script" "$@" >"$work/out" 2>"$work/err" || rc=$?
  out=$(cat "$work/out")
  err=$(cat "$work/err")
  calls=$(cat "$work/calls")
}

# release SAMPLE RUNTIME FORMAT(yes|no): the printed list of that release.
release() {
  local sample=$1 runtime=$2 format=$3 name="--print --os-release $1"
  run --print --os-release "$samples/$sample"
  if [ $rc -ne 0 ]; then
    fail "$name: exit status $rc (stderr: $err)"
    return
  fi
  [ -z "$calls" ] || fail "$name called: $(tr '\n' ';' <<<"$calls")"
  [ -z "$err" ] || fail "$name wrote to stderr: $err"
  [ "$(wc -l <<<"$out")" -eq 1 ] || fail "$name printed more than one line: $out"
  local -a list
  read -r -a list <<<"$out"
  # Looked up in the shell: `printf | grep -q` under pipefail fails when grep stops reading early.
  has() {
    local p
    for p in "${list[@]}"; do [ "$p" = "$1" ] && return 0; done
    return 1
  }
  local runtimes
  runtimes=$(printf '%s\n' "${list[@]}" | grep '^libclang-rt-' | tr '\n' ' ')
  [ "$runtimes" = "$runtime " ] || fail "$name: clang runtime '$runtimes', expected '$runtime'"
  for p in clang cmake qt6-base-dev qt6-svg-dev qt6-qpa-plugins xvfb appstream; do
    has "$p" || fail "$name: $p missing in: $out"
  done
  if [ "$format" = yes ]; then
    has clang-format-14 || fail "$name: clang-format-14 missing in: $out"
  elif [[ " ${list[*]} " == *" clang-format"* ]]; then
    fail "$name: lists a clang-format: $out"
  fi
  [ "$(printf '%s\n' "${list[@]}" | sort | uniq -d)" = "" ] || fail "$name: a package twice: $out"
}
release debian-12 libclang-rt-14-dev yes
release debian-13 libclang-rt-19-dev no
release ubuntu-24.04 libclang-rt-18-dev no

# refused WHAT EXPECTED_MESSAGE ARGS...: fails with a message on stderr, prints and calls nothing.
refused() {
  local what=$1 message=$2
  shift 2
  run "$@"
  [ $rc -ne 0 ] || fail "$what: exit status 0"
  grep -qF -- "$message" <<<"$err" || fail "$what: stderr '$err' lacks '$message'"
  [ -z "$out" ] || fail "$what printed: $out"
  [ -z "$calls" ] || fail "$what called: $(tr '\n' ';' <<<"$calls")"
}
cat >"$work/arch" <<'EOF'
NAME="Arch Linux"
PRETTY_NAME="Arch Linux"
ID=arch
BUILD_ID=rolling
EOF
refused "unknown release" 'unsupported release "Arch Linux"' --print --os-release "$work/arch"
sed 's/^VERSION_ID=.*/VERSION_ID="11"/' "$samples/debian-12" >"$work/debian-11"
refused "Debian 11" 'unsupported release' --print --os-release "$work/debian-11"
refused "missing os-release file" "$work/none" --print --os-release "$work/none"
refused "--os-release without --print" '--os-release only goes with --print' \
  --os-release "$samples/debian-12"
refused "--os-release without a file" '--os-release needs a file' --print --os-release
refused "unknown option" "unknown argument '--install'" --install

[ $failed -eq 0 ] && echo "install-deps.sh --print: all releases as expected"
exit $failed
