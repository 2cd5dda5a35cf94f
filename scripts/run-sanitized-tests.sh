#!/bin/sh
# Runs the suite of a sanitizers' build (`make sanitize`) and fails on any
# report, also one from a program a test starts (quorvane-render, the
# thumbnailer's command, the main program): every process of ours inherits
# the options below. A report ends its process with status 86, which no
# program of ours uses, so a test that waits for a certain status fails on
# it. The address sanitizer's reports also go to a file in REPORTS, which
# must stay empty, so that one from a process whose status no test looks at
# fails the run as well; the undefined-behaviour sanitizer, built in beside
# it, writes to standard error whatever log_path says, and is caught by the
# status alone.
# Arguments: the build folder, the number of tests at once, and any more
# for ctest (-R PATTERN to run some).
set -u
build=${1:-build-sanitize}
jobs=${2:-$(nproc)}
[ $# -gt 2 ] && shift 2 || set --
reports="$(cd "$build" && pwd)/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"

common="halt_on_error=1:exitcode=86:log_path=$reports/report"
# Leak reports are off: the toolkit keeps its font and platform caches until
# the program ends.
export ASAN_OPTIONS="$common:detect_leaks=0"
export UBSAN_OPTIONS="$common:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen

# The test that limits the process's address space cannot run: the address
# sanitizer reserves far more of it than such a limit allows.
(cd "$build" && ctest --output-on-failure -j "$jobs" \
    -E '^LineTable\.AFailedGrowthIsReportedAndKeepsTheTableWhole$' "$@")
status=$?

if [ -n "$(ls -A "$reports")" ]; then
    for report in "$reports"/*; do
        echo "== $report"
        cat "$report"
    done
    echo "The sanitizers reported the faults above." >&2
    exit 1
fi
exit $status
