#!/usr/bin/env bash
# Installs the Debian 12 packages the program and its tests need, if missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev libgsf-1-dev libxml2-dev
  libboost-dev
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth
  python3 python3-xlwt python3-xlrd python3-scipy
  python3-openpyxl python3-odf python3-pandas
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
