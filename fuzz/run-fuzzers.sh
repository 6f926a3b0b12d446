#!/usr/bin/env bash
# Runs every fuzz target of a build folder for a bounded time on a copy of its committed seed corpus.
# A crash, a leak or a hang (one input over its target's limit below) fails the run; libFuzzer leaves the input beside it.
set -euo pipefail
bin_dir=$1
seconds=${FUZZ_SECONDS:-20}
corpus_root=$(cd "$(dirname "$0")" && pwd)/corpus
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$work/config"
# Leaks are looked for after every input; those inside system libraries (Qt's, SDL's, FluidSynth's
# caches made once) are the same ones the test suite suppresses.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(cd "$(dirname "$0")/.." && pwd)/tests/lsan-suppressions.txt:print_suppressions=0}
mkdir -p "$XDG_CONFIG_HOME"
# Targets run side by side, one per core; each reports when all are done.
jobs=${FUZZ_JOBS:-$(nproc)}

run_one() {
  local fuzzer=$1 name
  name=$(basename "$fuzzer")
  mkdir -p "$work/$name"
  [ -d "$corpus_root/$name" ] && cp -r "$corpus_root/$name/." "$work/$name/"
  # A music input that takes seconds is a stall a player would hear; a fast one takes well under one.
  # Any picture loads in well under two seconds.
  local limit=10
  case $name in Midi*Fuzz|Music*Fuzz) limit=3 ;; Picture*Fuzz) limit=5 ;; esac
  if "$fuzzer" -max_total_time="$seconds" -timeout="$limit" -rss_limit_mb=4096 -print_final_stats=1 \
      -artifact_prefix="$bin_dir/$name-" "$work/$name" 2> "$work/$name.log"; then
    echo passed > "$work/$name.status"
  else
    echo failed > "$work/$name.status"
  fi
}

names=()
for fuzzer in "$bin_dir"/*Fuzz; do
  [ -x "$fuzzer" ] || continue
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  names+=("$(basename "$fuzzer")")
  echo "== $(basename "$fuzzer") for $seconds s"
  run_one "$fuzzer" &
done
wait

status=0
for name in "${names[@]}"; do
  if [ "$(cat "$work/$name.status" 2>/dev/null)" = passed ]; then
    echo "== $name passed"
    grep -E '^(stat::number_of_executed_units|Done )' "$work/$name.log" || true
  else
    echo "== $name FAILED"
    tail -n 60 "$work/$name.log"
    status=1
  fi
done
exit $status
