#!/usr/bin/env bash
# Installs the Debian packages Sumwarden needs to build, test and run.
# Idempotent: when every package is already present it changes nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev
  libgtest-dev libgmock-dev libcli11-dev
  libssl-dev openssl
  fonts-liberation2 fonts-droid-fallback fontconfig
  xvfb xauth xdotool x11-utils openbox
  imagemagick valgrind
  fonts-symbola desktop-file-utils libxml2-utils shared-mime-info
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  sudo=sudo
else
  sudo=
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
