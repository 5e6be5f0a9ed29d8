#!/usr/bin/env bash
# Takes the user's manual's screenshots: runs the program from build/bin under
# a virtual display on a copy of a bundled example, drives it with the keyboard
# and saves the windows as PNG files in docs/manual/images/. Needs xvfb,
# xdotool and imagemagick; run after a build. Rerun it when the windows change.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/docs/manual/images
program=$root/build/bin/torvik
[ -x "$program" ] || { echo "build the program first (build/bin/torvik)" >&2; exit 1; }
if [ -z "${DISPLAY:-}" ] || [ -z "${TORVIK_SHOTS_INSIDE:-}" ]; then
  exec env TORVIK_SHOTS_INSIDE=1 xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$@"
fi
mkdir -p "$out"
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cp examples/*.tk4d "$work/"
export XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb

start() {
  "$program" "$work/$1" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --pid "$pid" --name "TORVIK" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.2
  done
  # No window manager: place the window and give it the keyboard ourselves.
  sleep 1
  xdotool windowsize --sync "$window" 1000 680 windowmove --sync "$window" 0 0 windowfocus --sync "$window"
  sleep 1
}
stop() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
keys() { xdotool key --delay 150 "$@"; sleep 0.8; }
# The main window's area of the screen (or the part CROP of it, WxH+X+Y), as
# a small palette PNG.
shot() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/shot.png"
  [ -z "${2:-}" ] || convert "$work/shot.png" -crop "$2" +repage "$work/shot.png"
  convert "$work/shot.png" -strip -colors 256 PNG8:"$out/$1.png"
  echo "$out/$1.png"
}

# Each picture from a fresh start of the program, so that no window of an
# earlier one is in the way.
picture() {  # NAME CROP WALL KEYS...
  local name=$1 crop=$2 wall=$3
  shift 3
  start "$wall"
  [ $# -eq 0 ] || keys "$@"
  sleep 1
  shot "$name" "$crop"
  stop
}

picture data-menu 620x340+0+0 cantilever-sand.tk4d alt+t
picture wall-properties 1000x300+0+0 cantilever-sand.tk4d alt+t p
picture wall-configuration 1000x420+0+0 cantilever-sand.tk4d alt+t w
picture soil-layers 1000x260+0+0 cantilever-sand.tk4d alt+t s
picture options-menu 620x470+0+0 cantilever-sand.tk4d alt+o
# Computation > Run Analysis; the results stay beside the copied wall for the graphs.
picture after-run 1000x340+0+0 cantilever-sand.tk4d alt+c r
picture deflection-graph "" cantilever-sand.tk4d alt+g d Return
picture moment-graph "" cantilever-sand.tk4d alt+g m
picture py-curves "" cantilever-sand.tk4d alt+g y
picture wall-geometry "" anchored-soft-clay.tk4d alt+c v
