#!/usr/bin/env bash
# Installs everything TORVIK needs to build and test, from Debian 12's packages.
set -euo pipefail
packages=(
  cmake g++ make ccache
  qt6-base-dev qt6-svg-dev libqt6svg6-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev
  locales xvfb xauth
  poppler-utils fonts-dejavu-core dpkg-dev file
  clang libclang-rt-14-dev g++-mingw-w64-x86-64-posix wine wine64
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The number formatting is tested under a locale whose decimal separator is a comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi
