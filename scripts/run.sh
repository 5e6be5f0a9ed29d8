#!/usr/bin/env bash
# Installs what building and running need, builds the program and starts it on a bundled example wall.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
# The program writes its results beside the wall, so it works on a copy of
# the bundled examples rather than on the files in the repository.
mkdir -p build/walls
for f in examples/*.tk4d examples/*.tk4s; do [ -e "build/walls/${f##*/}" ] || cp "$f" build/walls/; done
wall="${1:-build/walls/cantilever-sand.tk4d}"
exec build/bin/torvik "$wall"
