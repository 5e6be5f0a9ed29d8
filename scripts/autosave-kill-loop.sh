#!/bin/sh
# Kills an instance that edits a staged wall with autosave every second, and
# checks what it leaves (run by hand, not in CI). Builds
# scripts/kill-loop/editor.cpp against the libraries of a build tree, then
# KILLS times: starts editing a copy of the three-stage example, kills the
# process (SIGKILL) after a random 0.3 to 3 s, and looks for its autosave as
# the next start does. Every autosave found must read whole, recover, name the
# wall and hold at least the last change the editor reported autosaved; no
# other recovery folder may be left, and the wall's own folder (names, sizes,
# times, file numbers, bytes) must be exactly as before. One line per kill,
# then a summary.
#   scripts/autosave-kill-loop.sh [BUILD_DIR] [KILLS]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
kills=${2:-60}
work=$(mktemp -d "${TMPDIR:-/tmp}/torvik-autosave-loop.XXXXXX")
trap 'rm -rf "$work"' EXIT

c++ -std=c++17 -O1 -I"$root" "$root/scripts/kill-loop/editor.cpp" \
    "$build/model/libtorvik_model.a" "$build/tables/libtorvik_tables.a" "$build/units/libtorvik_units.a" \
    -o "$work/editor"
mkdir "$work/wall"
wall="$work/wall/staged.tk4d"
cp "$root/examples/three-stage-excavation.tk4d" "$wall"
base="$work/state/Orvane/TORVIK/recovery"

wall_state() {
    (cd "$work/wall" && find . -printf '%p %s %T@ %i\n' | sort && find . -type f -exec sha256sum {} + | sort)
}
before=$(wall_state)

failed=0 touched=0 none=0 i=0
while [ "$i" -lt "$kills" ]; do
    i=$((i + 1))
    "$work/editor" edit "$wall" "$base" > "$work/autosaves" &
    pid=$!
    ms=$((300 + $(od -An -N2 -tu2 /dev/urandom) % 2700))
    sleep "$((ms / 1000)).$(printf '%03d' $((ms % 1000)))"
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    last=$(tail -n 1 "$work/autosaves" 2>/dev/null || true)
    line=$("$work/editor" check "$wall" "$base" "${last:-0}") || failed=$((failed + 1))
    case "$line" in *"autosaves=0 "*) none=$((none + 1)) ;; esac
    [ "$(wall_state)" = "$before" ] || { touched=$((touched + 1)); line="$line WALL-TOUCHED"; }
    echo "kill $i after $ms ms, last autosave reported: change ${last:-none}: $line"
done
echo "kills: $kills, kills before any autosave: $none, failed checks: $failed, kills that touched the wall: $touched"
[ "$failed" -eq 0 ] && [ "$touched" -eq 0 ]
