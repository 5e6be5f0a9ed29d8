#!/usr/bin/env bash
# Installs the dependencies, builds the program and starts it on a bundled example wall.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
wall="${1:-examples/cantilever-sand.tk4d}"
exec build/bin/torvik "$wall"
