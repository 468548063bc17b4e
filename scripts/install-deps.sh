#!/usr/bin/env bash
# Installs the Debian packages Skerra needs to build, run and test (as root, or
# through sudo); does nothing when all are installed.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-svg-dev libgl-dev zlib1g-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev libproj-dev libzip-dev gdal-bin
  fonts-liberation2 fonts-dejavu-core locales rtklib
  gdal-bin python3-ezdxf
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
((${#missing[@]})) || exit 0
as_root=()
((EUID == 0)) || as_root=(sudo env DEBIAN_FRONTEND=noninteractive)
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
