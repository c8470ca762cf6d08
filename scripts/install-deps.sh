#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need (as root or with sudo).
set -euo pipefail
packages=(
  build-essential cmake git pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libbdd-dev
  clang-14 libclang-rt-14-dev
  xvfb xauth desktop-file-utils dpkg-dev file
  librsvg2-bin locales lintian appstream libxml2-utils qt6-svg-dev
  libcadical-dev berkeley-abc yosys ghdl
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
if ((${#missing[@]})); then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The German locale, whose decimal comma the tests of the decimal separator need.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  $sudo sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)$/\1/' /etc/locale.gen
  grep -qx 'de_DE\.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
