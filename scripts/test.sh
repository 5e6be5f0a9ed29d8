#!/usr/bin/env bash
# Installs the dependencies, configures, builds and runs the whole test suite;
# builds the Debian package and checks the installed tree; then builds and
# tests the core alone, as -DTORVIK_GUI=OFF gives it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Paths relative to the source tree and no working directory in the hash, so
# that the two trees share ccache's objects.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR=1
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")
# The Debian package, unpacked into a scratch root: the installed torvik-cli
# finds the engine and its drawing module in its own directory through the link
# on the PATH, runs the verification, analyses a copy of an example and draws it.
(cd build && cpack -G DEB >/dev/null)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg -x build/torvik_*_"$(dpkg --print-architecture)".deb "$scratch/root"
"$scratch/root/usr/bin/torvik-cli" verify | tail -1
cp "$scratch/root/usr/share/torvik/examples/cantilever-sand.tk4d" "$scratch/"
"$scratch/root/usr/bin/torvik-cli" run "$scratch/cantilever-sand.tk4d" >/dev/null
test -s "$scratch/cantilever-sand.tk4p"
QT_QPA_PLATFORM=offscreen "$scratch/root/usr/bin/torvik-cli" plot "$scratch/cantilever-sand.tk4d" --graph pltDef \
  --out "$scratch/deflection.png"
cmake -S . -B build-nogui -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVIK_GUI=OFF
cmake --build build-nogui -j"$(nproc)"
(cd build-nogui && ctest --output-on-failure -j"$(nproc)")
