#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Kapitalbuch needs.
# Installs only what is missing; prints nothing when everything is there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  qt6-base-dev qt6-svg-dev libgl-dev
  fonts-liberation xvfb xauth
  clang libclang-rt-14-dev
  poppler-utils time
  qt6-qpa-plugins qt6-translations-l10n
  dpkg-dev desktop-file-utils appstream libxml2-utils shared-mime-info man-db x11-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
