#!/bin/sh
# Runs each fuzz target for a bounded time from its seed corpus in
# fuzz/corpus/<target>. The seeds are copied into a scratch folder in the
# build folder, where libFuzzer adds what it finds; the repository's corpus
# is never written. Any crash, sanitizer report, broken property, timeout or
# running out of memory fails the run, after all targets have had their turn.
set -eu
build=${1:-build-fuzz}
seconds=${2:-60}
here=$(cd "$(dirname "$0")/.." && pwd)

# Inputs stay small, so that one run of a target takes milliseconds; an
# input that takes seconds is a hang, not work.
max_len=4096
timeout=10
rss_limit_mb=1024

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=""
for target in data_file settings_file nec_deck deck_expression maa_file; do
    work="$build/fuzz-runs/$target"
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/artifacts"
    cp "$here/fuzz/corpus/$target/"* "$work/corpus/"
    dictionary=""
    if [ -f "$here/fuzz/$target.dict" ]; then
        dictionary="-dict=$here/fuzz/$target.dict"
    fi
    echo "== fuzz_$target for $seconds s"
    if "$build/fuzz/fuzz_$target" $dictionary \
        -max_total_time="$seconds" -max_len="$max_len" -timeout="$timeout" \
        -rss_limit_mb="$rss_limit_mb" -print_final_stats=1 \
        -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)' "$work/log" || true
    else
        echo "fuzz_$target FAILED; the last lines of $work/log:"
        tail -n 40 "$work/log"
        echo "The input that failed is in $work/artifacts/:"
        ls "$work/artifacts/"
        failed="$failed $target"
    fi
done

if [ -n "$failed" ]; then
    echo "Fuzzing failed:$failed"
    exit 1
fi
echo "All fuzz targets ran $seconds s each without a finding."
