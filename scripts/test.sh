#!/usr/bin/env bash
# Installs the dependencies, configures, builds and runs the whole test suite;
# then builds and tests the core alone, as -DTORVIK_GUI=OFF gives it.
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
cmake -S . -B build-nogui -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVIK_GUI=OFF
cmake --build build-nogui -j"$(nproc)"
(cd build-nogui && ctest --output-on-failure -j"$(nproc)")
