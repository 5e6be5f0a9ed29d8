#!/bin/sh
# Writes what torvik-cli makes of every bundled example (output text without
# its date and time, plot data file, CSV export, design checks as JSON) and the
# verification table into OUTDIR, so that two builds can be compared with
# diff -r. A change of structure must leave the two directories equal.
#   scripts/compare-outputs.sh BUILD_BIN_DIR OUTDIR
set -eu
bin=$(cd "$1" && pwd)
out=$2
here=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$out"
# A fixed folder, because the output names the wall by its path.
work=/tmp/torvik-compare-outputs
rm -rf "$work"
mkdir -p "$work"
cp "$here"/examples/*.tk4d "$here"/examples/*.tk4s "$work"/
for wall in "$work"/*.tk4d; do
    name=$(basename "$wall" .tk4d)
    "$bin/torvik-cli" run "$wall" > "$out/$name.run.txt" 2>&1 || true
    # The run's date and time are the only lines that differ between runs.
    grep -Ev '^Run (started|ended)' "$work/$name.tk4o" > "$out/$name.tk4o" || true
    cp "$work/$name.tk4p" "$out/$name.tk4p" 2>/dev/null || true
    "$bin/torvik-cli" export "$wall" --csv "$out/$name.csv" > /dev/null 2>&1 || true
    "$bin/torvik-cli" check "$wall" --json > "$out/$name.check.json" 2>&1 || true
done
"$bin/torvik-cli" verify --json > "$out/verify.json" 2>&1 || true
rm -rf "$work"
