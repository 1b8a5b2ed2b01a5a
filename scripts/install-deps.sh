#!/usr/bin/env bash
# Installs every package that building, testing and running Kapitalbuch needs, on Debian 12,
# Debian 13 and Ubuntu 24.04 (with "universe" enabled). Installs only what is missing and
# prints nothing when everything is there; installing needs root or sudo.
#
#   install-deps.sh                      install what is missing
#   install-deps.sh --print              print the packages for this system, install nothing
#   install-deps.sh --print --os-release FILE
#                                        the same for the release that FILE (an os-release
#                                        file) describes, whatever this system has
#
# --print writes all the packages the script looks after, installed or not, on one line,
# separated by spaces; it needs no root.
#
# Some names depend on the release. The clang runtime (sanitizers, libFuzzer) must come from
# the same LLVM as the compiler: when a clang is already on the PATH its major version N
# picks libclang-rt-N-dev (the package clang is then listed only when it is installed);
# otherwise the release's default clang is installed with its runtime: clang 14 on Debian 12,
# 19 on Debian 13, 18 on Ubuntu 24.04. With --os-release only the file decides.
# clang-format-14, for the format check, is installed on Debian 12 only.
#
# When another program holds the package manager's lock, apt-get waits for it up to 300 s.
set -euo pipefail

me=${0##*/}
lock_wait=300

usage() {
  sed -n '/^#   install-deps.sh /,/^#$/{/^#$/d;s/^# \{0,1\}//;p;}' "$0"
}

die() {
  echo "$me: $*" >&2
  exit 1
}

print_only=0
os_release=
while [ $# -gt 0 ]; do
  case $1 in
    --print) print_only=1 ;;
    --os-release)
      [ $# -ge 2 ] || { echo "$me: --os-release needs a file" >&2; exit 2; }
      os_release=$2
      shift
      ;;
    --os-release=*) os_release=${1#*=} ;;
    -h | --help) usage; exit 0 ;;
    *) echo "$me: unknown argument '$1'" >&2; usage >&2; exit 2 ;;
  esac
  shift
done
if [ -n "$os_release" ] && [ $print_only -eq 0 ]; then
  echo "$me: --os-release only goes with --print (installing is for this system's release)" >&2
  exit 2
fi

# The release: ID, VERSION_ID and PRETTY_NAME of the os-release file, read without running it.
release_file=${os_release:-/etc/os-release}
if [ -z "$os_release" ] && [ ! -r "$release_file" ] && [ -r /usr/lib/os-release ]; then
  release_file=/usr/lib/os-release
fi
[ -r "$release_file" ] || die "cannot read $release_file"
os_value() {
  local line value
  line=$(grep -E "^$1=" "$release_file" | tail -n 1) || true
  value=${line#*=}
  value=${value#[\"\']}
  value=${value%[\"\']}
  printf '%s' "$value"
}
os_id=$(os_value ID)
os_version=$(os_value VERSION_ID)
os_name=$(os_value PRETTY_NAME)

# The default clang of each release.
case "$os_id $os_version" in
  "debian 12") release_clang=14 ;;
  "debian 13") release_clang=19 ;;
  "ubuntu 24.04") release_clang=18 ;;
  *)
    die "unsupported release \"${os_name:-unknown}\" (ID=$os_id, VERSION_ID=$os_version in" \
        "$release_file); supported are Debian 12, Debian 13 and Ubuntu 24.04"
    ;;
esac

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

clang_packages=(clang)
clang_major=$release_clang
if [ -z "$os_release" ] && command -v clang >/dev/null; then
  detected=$(clang --version 2>/dev/null | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1)
  if [ -n "$detected" ]; then
    clang_major=$detected
    # A clang that did not come with the package clang stays the compiler; no second one.
    installed clang || clang_packages=()
  fi
fi
clang_packages+=("libclang-rt-$clang_major-dev")

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  qt6-base-dev qt6-svg-dev libgl-dev
  fonts-liberation xvfb xauth
  "${clang_packages[@]}"
  poppler-utils time ccache
  qt6-qpa-plugins qt6-translations-l10n
  dpkg-dev desktop-file-utils appstream libxml2-utils shared-mime-info man-db x11-utils
)
if [ "$release_clang" = 14 ]; then
  packages+=(clang-format-14)
fi

if [ $print_only -eq 1 ]; then
  echo "${packages[*]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || die "installing needs root or sudo; missing: ${missing[*]}"
  as_root=(sudo)
fi

# Who holds one of apt's or dpkg's locks, as "process PID (NAME)"; empty when nobody does.
lock_holder() {
  [ -r /proc/locks ] || return 0
  local file dev inode major minor pid
  for file in /var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock \
              /var/cache/apt/archives/lock; do
    [ -e "$file" ] || continue
    read -r dev inode < <(stat -L -c '%d %i' "$file") || continue
    major=$(( ((dev >> 8) & 0xfff) | ((dev >> 32) & ~0xfff) ))
    minor=$(( (dev & 0xff) | ((dev >> 12) & ~0xff) ))
    pid=$(awk -v id="$(printf '%02x:%02x:%s' "$major" "$minor" "$inode")" \
          '$2 != "->" { for (i = 2; i <= NF; i++) if ($i == id) { print $(i - 1); exit } }' /proc/locks)
    if [ -n "$pid" ]; then
      echo "process $pid ($(cat "/proc/$pid/comm" 2>/dev/null || echo '?'))"
      return 0
    fi
  done
}

# apt-get with the given arguments, waiting up to $lock_wait s for a lock that another
# program holds: DPkg::Lock::Timeout covers dpkg's lock, the loop the others (package lists,
# downloads), which apt-get does not wait for.
apt_get() {
  local deadline=$((SECONDS + lock_wait)) told=0 holder err rc
  err=$(mktemp)
  while :; do
    if [ $told -eq 0 ]; then
      holder=$(lock_holder)
      if [ -n "$holder" ]; then
        echo "Waiting up to $lock_wait s for the package manager, locked by $holder"
        told=1
      fi
    fi
    rc=0
    "${as_root[@]}" env LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive \
      apt-get -o DPkg::Lock::Timeout=$((deadline > SECONDS ? deadline - SECONDS : 0)) "$@" 2>"$err" || rc=$?
    if [ $rc -ne 0 ] && grep -q 'Could not get lock' "$err" && [ $SECONDS -lt $deadline ]; then
      if [ $told -eq 0 ]; then
        holder=$(sed -n 's/.*It is held by \(process .*\)$/\1/p' "$err" | head -n 1)
        echo "Waiting up to $lock_wait s for the package manager, locked by ${holder:-another program}"
        told=1
      fi
      sleep 2
      continue
    fi
    cat "$err" >&2
    rm -f "$err"
    return $rc
  done
}

echo "Installing missing packages: ${missing[*]}"
apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
