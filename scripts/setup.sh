#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on Debian 12.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
  libturbojpeg0-dev
  libzip-dev zipcmp zipmerge ziptool libpugixml-dev libreoffice-calc
  libgtest-dev libgmock-dev poppler-utils
  qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  clang libclang-rt-14-dev
  fonts-arphic-ukai fonts-arphic-uming fonts-wqy-microhei fonts-noto-cjk fonts-dejavu-core
  xvfb xauth imagemagick x11-apps
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
