#!/usr/bin/env bash
# Installs the Debian 12 packages Zandrovel needs to build, run and test, when missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache binutils pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-image-formats-plugins libgl-dev
  qt6-multimedia-dev libqt6multimedia6 gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  fonts-dejavu-core
  libcpp-httplib-dev chromium wrk nodejs
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# npm drives the browser tests; a node install that brings its own npm needs no package.
if ! command -v npm >/dev/null 2>&1; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends npm
fi
