#!/bin/sh
# Runs every benchmark with repetitions and prints the medians.
set -eu
build=${1:-build}
repetitions=${REPETITIONS:-10}
common="--benchmark_repetitions=$repetitions --benchmark_report_aggregates_only=true --benchmark_color=false"
"$build/bench/quorvane_drawing_bench" $common
"$build/bench/quorvane_datafile_bench" $common
"$build/bench/quorvane_table_memory"
