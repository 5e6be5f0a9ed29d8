#!/usr/bin/env bash
# Installs the dependencies, configures, builds and runs the whole test suite;
# then builds and tests the core alone, as -DTORVIK_GUI=OFF gives it; then the
# core with AddressSanitizer and UndefinedBehaviorSanitizer (clang) together
# with a short run of every fuzz target; then the Windows build of the core,
# the engine library and torvik-cli, whose tests run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Paths relative to the source tree and no working directory in the hash, so
# that the trees share ccache's objects.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR=1
jobs="$(nproc)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")
cmake -S . -B build-nogui -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVIK_GUI=OFF
cmake --build build-nogui -j"$jobs"
(cd build-nogui && ctest --output-on-failure -j"$jobs")

# Sanitized: any report of either sanitizer fails its test.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTORVIK_GUI=OFF \
  -DTORVIK_FUZZ=ON
cmake --build build-asan -j"$jobs"
(cd build-asan && UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j"$jobs")

# Windows: a Wine prefix of the build tree's own, without its dialogs.
cmake -S . -B build-mingw -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DTORVIK_GUI=OFF
export WINEPREFIX="$PWD/build-mingw/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cmake --build build-mingw -j"$jobs"
# The engine library exports its entry point by that exact name.
x86_64-w64-mingw32-objdump -p build-mingw/bin/Torvik2013_DLL.DLL | grep -qw '_ITORVIK' ||
  { echo "Torvik2013_DLL.DLL does not export _ITORVIK" >&2; exit 1; }
# One Wine server for all the test programs, instead of one start per program.
trap 'wineserver -k 2>/dev/null || true' EXIT
wineserver -p
# Known Windows faults, left out until mended: MinGW's C library reads and
# prints some extended reals near the largest 8-byte real differently, and a
# directory opened as a file is refused with another message.
windows_known='EvaluateEntry\.LargestFactorialIsFinite|DecimalReal\.AgreesWithTheGeneralConversion'
windows_known+='|Arithmetic/EvaluateErrorTest\.FailsWithMessage/3[123]$|WordReader\.DirectoryIsAnInputOutputError'
windows_known+='|RealBeyondAnEightByteReal'
(cd build-mingw && ctest --output-on-failure -j"$jobs" -E "$windows_known")
