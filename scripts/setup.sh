#!/usr/bin/env bash
# Installs every Debian package that building, running and testing the program need.
# Quick when everything is already there: apt-get runs only for missing packages.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev
  libxlsxwriter-dev libfreexl-dev libgsf-1-dev
  libreoffice-calc libreoffice-dev
  fonts-thai-tlwg
  libgtest-dev libbenchmark-dev
  xvfb xauth poppler-utils unzip
  xdg-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
