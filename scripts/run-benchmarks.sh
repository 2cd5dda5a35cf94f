#!/bin/sh
# Runs every benchmark with repetitions and prints the medians.
set -eu
build=${1:-build}
repetitions=${REPETITIONS:-10}
common="--benchmark_repetitions=$repetitions --benchmark_report_aggregates_only=true --benchmark_color=false"
"$build/bench/quorvane_drawing_bench" $common
"$build/bench/quorvane_pointing_bench" $common
"$build/bench/quorvane_datafile_bench" $common
"$build/bench/quorvane_history_bench" $common
"$build/bench/quorvane_maa_bench" $common
"$build/bench/quorvane_expression_bench" $common
"$build/bench/quorvane_rotation_bench" $common
"$build/bench/quorvane_datatable_bench" $common
"$build/bench/quorvane_export_bench" $common
"$build/bench/quorvane_settings_bench" $common
"$build/bench/quorvane_association_bench" $common
"$build/bench/quorvane_render_bench" $common
"$build/bench/quorvane_checks_bench" $common
"$build/bench/quorvane_table_memory"
"$build/bench/quorvane_grid_memory"
"$build/bench/quorvane_grid_paging"
echo "Start-up to the first drawing of the sample, $repetitions runs:"
for run in $(seq "$repetitions"); do
    "$build/bench/quorvane_startup_time" | tail -n 1
done
