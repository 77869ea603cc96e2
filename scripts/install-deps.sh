#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, only those that are missing.
# Idempotent: runs apt-get update once, and only when something has to be installed.
# `install-deps.sh fuzz` also brings clang, which the fuzz preset builds with.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libicu-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev qt6-tools-dev libqt6opengl6-dev libxcb1-dev libx11-dev libxtst6
  xvfb xauth openbox x11-utils imagemagick
  weston qt6-wayland  # the Qt end-to-end stories on a Wayland compositor
  fonts-ipafont-gothic  # Japanese glyphs for the pictures of the panel in Japanese
)
if [ "${1:-}" = "fuzz" ]; then
  packages+=(clang)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1 || ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
