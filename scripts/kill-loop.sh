#!/bin/sh
# Kills saves of a staged wall and checks what the next Open finds (run by
# hand, not in CI). Builds scripts/kill-loop/saver.cpp against the libraries of
# a build tree, then KILLS times: starts saving a copy of the three-stage
# example again and again, kills the process (SIGKILL) after a random 20 to
# 400 ms, and opens the wall as the program does. Every Open must find a data
# file whose stages all come from one save, stage files beside it that agree
# with it (or are not there yet), and neither temporary files nor working
# folders of the killed savers left. One line per kill, then a summary.
#   scripts/kill-loop.sh [BUILD_DIR] [KILLS]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
kills=${2:-60}
work=$(mktemp -d "${TMPDIR:-/tmp}/torvik-kill-loop.XXXXXX")
trap 'rm -rf "$work"' EXIT

c++ -std=c++17 -O1 -I"$root" "$root/scripts/kill-loop/saver.cpp" \
    "$build/model/libtorvik_model.a" "$build/tables/libtorvik_tables.a" "$build/units/libtorvik_units.a" \
    -o "$work/saver"
wall="$work/wall/staged.tk4d"
mkdir "$work/wall"
cp "$root/examples/three-stage-excavation.tk4d" "$wall"

failed=0 temporaries=0 mended=0 saves=0
i=0
while [ "$i" -lt "$kills" ]; do
    i=$((i + 1))
    "$work/saver" save "$wall" > "$work/saves" &
    pid=$!
    sleep "0.$(printf '%03d' $((20 + $(od -An -N2 -tu2 /dev/urandom) % 380)))"
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    last=$(tail -n 1 "$work/saves" 2>/dev/null || true)
    saves=$((saves + ${last:-0}))
    line=$("$work/saver" check "$wall") || failed=$((failed + 1))
    echo "kill $i after ${last:-0} saves: $line"
    case "$line" in *"temporaries-before=0"*) ;; *) temporaries=$((temporaries + 1)) ;; esac
    case "$line" in *"stage-files-mended=1"*) mended=$((mended + 1)) ;; esac
done
echo "kills: $kills, saves completed: $saves, kills that left temporary files: $temporaries," \
     "opens that mended stage files: $mended, failed checks: $failed"
[ "$failed" -eq 0 ]
