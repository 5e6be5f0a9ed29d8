#!/usr/bin/env bash
# Installs the dependencies, configures, builds and runs the whole test suite;
# builds the Debian package and checks the installed tree; then builds and
# tests the core alone, as -DTORVIK_GUI=OFF gives it; then the Windows build of
# the core, the engine library and torvik-cli, whose tests run under Wine; then
# the core with AddressSanitizer and UndefinedBehaviorSanitizer (clang)
# together with a short run of every fuzz target; last the study tests under
# ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
# Paths relative to the source tree and no working directory in the hash, so
# that the trees share ccache's objects.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR=1
jobs="$(nproc)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")
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
cmake --build build-nogui -j"$jobs"
(cd build-nogui && ctest --output-on-failure -j"$jobs")

# Windows, with the catalogue generator of build-nogui, so that the build
# itself runs nothing under Wine.
cmake -S . -B build-mingw -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DTORVIK_GUI=OFF -DTORVIK_HOST_CATALOGUE_GENERATOR="$PWD/build-nogui/tables/catalogue/torvik_catalogue_generator"
cmake --build build-mingw -j"$jobs"
# The engine library exports its entry point by that exact name.
exports="$(x86_64-w64-mingw32-objdump -p build-mingw/bin/Torvik2013_DLL.DLL)"
grep -qE '^\s*\[ *[0-9]+\] _ITORVIK$' <<<"$exports" ||
  { echo "Torvik2013_DLL.DLL does not export _ITORVIK" >&2; exit 1; }
# The core and engine tests under Wine, in a prefix of their own; one Wine
# server serves every test program and is stopped afterwards.
(
  cd build-mingw
  export WINEPREFIX="$PWD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  wineserver -p
  trap 'wineserver -k || true' EXIT
  # The prefix and Wine's services started before the tests: a test program
  # that has to start them itself may pass and then never end.
  wine wineboot --init >/dev/null 2>&1
  ctest --output-on-failure -j"$jobs"
)

# Sanitized: any report of either sanitizer fails its test.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTORVIK_GUI=OFF \
  -DTORVIK_FUZZ=ON
cmake --build build-asan -j"$jobs"
(cd build-asan && UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j"$jobs")

# The studies under ThreadSanitizer (clang): the engine and the design checks
# run side by side on worker threads, and any data race fails the test. Only
# the study tests, a few hundred analyses, so that this stays short.
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTORVIK_GUI=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread
cmake --build build-tsan -j"$jobs" --target study_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 build-tsan/tests/study_tests --gtest_brief=1
