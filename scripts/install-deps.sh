#!/usr/bin/env bash
# Installs the Debian packages Skerra needs to build, run and test (run as root).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-svg-dev libgl-dev zlib1g-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev libproj-dev
  fonts-liberation2 fonts-dejavu-core locales rtklib
)
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
