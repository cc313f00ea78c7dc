#!/usr/bin/env bash
# A bounded fuzz run of one fuzz target, seeded from its committed corpus.
# New inputs and any crash go to WORK_DIR, never into the source tree.
#   run_fuzz.sh FUZZER SEED_DIR WORK_DIR SECONDS
set -euo pipefail
fuzzer=$1 seeds=$2 work=$3 seconds=$4
mkdir -p "$work/corpus" "$work/crashes"
"$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
  -artifact_prefix="$work/crashes/" "$work/corpus" "$seeds"
echo "corpus: $(find "$work/corpus" -type f | wc -l) files in the work corpus, $(find "$seeds" -type f | wc -l) seeds"
