#!/bin/sh
# Runs every libFuzzer program of fuzz/harnesses.def for SECONDS each, starting
# from its seed corpus. New inputs go to build/fuzz/corpus/<name>; a crash is
# saved in build/fuzz/crashes/<name>/ and makes the run fail: copy it into
# fuzz/corpus/<name>/ once fixed, so the tests replay it from then on.
set -u
BIN_DIR=$1
SECONDS_EACH=${2:-60}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
WORK=$(dirname "$BIN_DIR")
failed=""
for name in $(sed -n 's/^VETRILO_FUZZ_HARNESS([A-Za-z0-9_]*, *\([a-z0-9_]*\))$/\1/p' "$ROOT/fuzz/harnesses.def"); do
  mkdir -p "$WORK/corpus/$name" "$WORK/crashes/$name"
  echo "fuzz_$name: $SECONDS_EACH s"
  if ! "$BIN_DIR/fuzz_$name" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$WORK/crashes/$name/" \
      "$WORK/corpus/$name" "$ROOT/fuzz/corpus/$name" >"$WORK/fuzz_$name.log" 2>&1; then
    failed="$failed $name"
    tail -n 30 "$WORK/fuzz_$name.log"
  fi
  grep -E "^stat::number_of_executed_units|^stat::new_units_added" "$WORK/fuzz_$name.log" | sed 's/^/  /'
done
if [ -n "$failed" ]; then
  echo "failed:$failed"
  exit 1
fi
