#!/bin/sh
# A study split into shards that GNU parallel runs as processes side by side;
# `torvik-cli study merge` joins their folders. The merge must equal the study
# run in one process, row for row, and so must its summary.
#
#   study-shards.sh TORVIK_CLI STUDY.json SHARDS WORKDIR
set -eu
cli="$1" study="$2" shards="$3" work="$4"
if ! command -v parallel >/dev/null 2>&1; then
  echo "GNU parallel is not installed"
  exit 77
fi
rm -rf "$work"
mkdir -p "$work/logs"
"$cli" study "$study" --jobs 2 --out "$work/single" >/dev/null 2>"$work/logs/single"
seq "$shards" | parallel --will-cite --halt now,fail=1 \
  "'$cli' study '$study' --jobs 1 --shard {}/$shards --out '$work/shard-{}' >/dev/null 2>'$work/logs/shard-{}'"
"$cli" study merge "$work"/shard-* --out "$work/merged" >/dev/null
# The single process wrote its rows as they finished; merged alone they come
# by rising index, as the merge of the shards gives them.
"$cli" study merge "$work/single" --out "$work/single-sorted" >/dev/null
diff "$work/single-sorted/rows.csv" "$work/merged/rows.csv"
diff "$work/single-sorted/summary.json" "$work/merged/summary.json"
echo "$shards shards merged: $(($(wc -l <"$work/merged/rows.csv") - 1)) rows, equal to the single run"
