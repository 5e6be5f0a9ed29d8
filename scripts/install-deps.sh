#!/usr/bin/env bash
# Installs what TORVIK needs from Debian 12's packages.
#   scripts/install-deps.sh run    what building and running the program need
#   scripts/install-deps.sh test   that, and what the whole test suite needs
#                                  (the default)
set -euo pipefail
purpose="${1:-test}"
# Building (the configure step also finds GoogleTest) and running; the manuals
# and the printed pages use the DejaVu fonts.
build_packages=(
  cmake g++ make ccache
  qt6-base-dev qt6-svg-dev libqt6svg6-dev
  libgtest-dev libgmock-dev
  nlohmann-json3-dev
  libboost-dev
  fonts-dejavu-core
)
# The test suite: the windows' tests under Xvfb, the documents' text, the
# Debian package, the benchmarks, the sanitized build (clang) and the Windows
# build under Wine, and a study sharded through GNU parallel.
test_packages=(
  libbenchmark-dev parallel
  locales xvfb xauth
  poppler-utils dpkg-dev file
  clang libclang-rt-14-dev g++-mingw-w64-x86-64-posix wine wine64
)
case "$purpose" in
  run) packages=("${build_packages[@]}") ;;
  test) packages=("${build_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac
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
[ "$purpose" = test ] || exit 0
# The number formatting is tested under a locale whose decimal separator is a comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi
