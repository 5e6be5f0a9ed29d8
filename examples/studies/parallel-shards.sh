#!/usr/bin/env bash
# A study in shards run by GNU parallel: on this machine, or with --sshlogin on
# several hosts that share the folder of the study (an NFS home, for example)
# and have torvik-cli on their PATH.
#
#   parallel-recipe.sh STUDY.json OUT SHARDS [parallel's options...]
#
#   parallel-recipe.sh study.json out 4                        # four processes here
#   parallel-recipe.sh study.json out 16 --sshlogin 8/node1,8/node2 --workdir .
#
# Each shard runs one worker thread (--jobs 1) and parallel runs as many shards
# at once as it has slots; interrupted, it keeps what was written, and run
# again it resumes every shard. The merge is in OUT/merged.
set -euo pipefail
study="${1:?the study file}" out="${2:?the folder of the shards}" shards="${3:?the number of shards}"
shift 3
cli="${TORVIK_CLI:-torvik-cli}"
seq "$shards" | parallel --will-cite --halt soon,fail=1 "$@" \
  "$cli" study "$study" --jobs 1 --shard "{}/$shards" --out "$out/shard-{}"
"$cli" study merge "$out"/shard-* --out "$out/merged"
