#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the terminal and the tests need.
# Runs apt-get only when something is missing, so repeated runs are quick.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config clang libclang-rt-14-dev
  libwxgtk3.2-dev libgtk-3-dev libboost-dev
  libspdlog-dev libfmt-dev libgtest-dev libgmock-dev libbenchmark-dev libxlsxwriter-dev libicu-dev libmuparser-dev
  xvfb xauth x11-apps xdotool imagemagick sox fonts-dejavu-core locales python3-openpyxl
  gettext help2man lintian desktop-file-utils appstream
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The demo shows numbers the way a trader reads them; the plain C locale has
# no thousands separator, so make an English UTF-8 locale available, and a
# German one for trying the German catalogue with German numbers and dates.
missing_locales=()
for name in en_US de_DE; do
  if ! locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$"; then missing_locales+=("$name"); fi
done
if ((${#missing_locales[@]})); then
  SUDO=""
  if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
  for name in "${missing_locales[@]}"; do
    $SUDO sed -i "s/^# *\($name.UTF-8 UTF-8\)/\1/" /etc/locale.gen
  done
  $SUDO locale-gen >/dev/null
fi
