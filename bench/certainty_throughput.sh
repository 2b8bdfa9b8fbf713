#!/usr/bin/env bash
# Throughput and peak memory of `granum-cli classify` with the bundled USDA scheme under a lab
# error, on 100,000 and 1,000,000 random compositions (bench/make_samples.py, seed 42):
#   plain       no error model, for scale
#   error-2     --error 2        (goal: at least 200,000 rows/s)
#   error-sd-2  --error-sd 2     (goal: at least 50,000 rows/s)
#   shares-2    --error 2 --shares
# Each is the best of three runs (wall clock, and user + system CPU seconds); memory is the peak
# resident set, which should not grow with the number of rows.
#
#   bench/certainty_throughput.sh [BUILD_FOLDER]    (default: build, a Release build)
# The sample files are kept in ${TMPDIR:-/tmp}/granum-throughput, shared with
# classify_throughput.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/cli/granum-cli
if [[ ! -x $cli || ! -x /usr/bin/time ]]; then
    echo "certainty_throughput.sh: needs $cli (build first) and /usr/bin/time" >&2
    exit 2
fi
work=${TMPDIR:-/tmp}/granum-throughput
mkdir -p "$work"

. bench/timing.sh

printf '%-9s %-11s %9s %8s %14s %14s %8s\n' rows run wall_s cpu_s "rows/s wall" "rows/s cpu" "peak MB"
for rows in 100000 1000000; do
    file=$(sample_file "$rows")
    for run in plain error-2 error-sd-2 shares-2; do
        case $run in
            plain) options=() ;;
            error-2) options=(--error 2) ;;
            error-sd-2) options=(--error-sd 2) ;;
            shares-2) options=(--error 2 --shares) ;;
        esac
        read -r s c kb < <(best_of_three "$cli" classify -q "${options[@]}" "$file" -o "$work/out.csv")
        awk -v n="$rows" -v run="$run" -v s="$s" -v c="$c" -v kb="$kb" 'BEGIN{
            printf "%-9s %-11s %9.3f %8.2f %14.0f %14.0f %8.1f\n", n, run, s, c, n / s,
                   (c > 0 ? n / c : 0), kb / 1024}'
    done
done
rm -f "$work/out.csv" "$work/stdout" "$work/time.txt"
