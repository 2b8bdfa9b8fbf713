#!/usr/bin/env bash
# Throughput and peak memory of `granum-cli classify` with the bundled USDA scheme, for files of
# 1,000,000 and 10,000,000 random compositions (bench/make_samples.py, seed 42):
#   classify   the whole run, file to file
#   no-lookup  granum-cli reading and writing every row without classifying it (--no-lookup)
#   floor      bench/classify_floor: plain C++ that parses three numbers a line and writes the
#              line back with a constant appended; classify should stay within 2.5 times of it
#   cat        the bytes copied by cat, for scale
# Each is the best of three runs (wall clock, and user + system CPU seconds); memory is the peak
# resident set. Then the 1,000,000-row output is checked row by row against soiltex::PointLookup.
#
#   bench/classify_throughput.sh [BUILD_FOLDER]    (default: build, a Release build)
# The sample files are kept in ${TMPDIR:-/tmp}/granum-throughput for the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/cli/granum-cli
floor=$build/bench/classify_floor
for program in "$cli" "$floor"; do
    if [[ ! -x $program ]]; then
        echo "classify_throughput.sh: no $program; build first (cmake --build $build)" >&2
        exit 2
    fi
done
if [[ ! -x /usr/bin/time ]]; then
    echo "classify_throughput.sh: needs /usr/bin/time (Debian package time)" >&2
    exit 2
fi
work=${TMPDIR:-/tmp}/granum-throughput
mkdir -p "$work"

# Runs a command with its output to a file; prints "WALL_SECONDS CPU_SECONDS PEAK_KB". The wall
# clock comes from the shell in microseconds: /usr/bin/time's hundredths round a fast run to 0.
. bench/timing.sh

# Rows per second, or a dash when the time is too short to mean anything.
rate() {
    awk -v n="$1" -v s="$2" 'BEGIN{if (s < 0.005) print "-"; else printf "%.2f M rows/s", n / s / 1e6}'
}

printf '%-10s %-10s %9s %9s %16s %16s %9s\n' rows run wall_s cpu_s "by wall" "by cpu" "peak MB"
for rows in 1000000 10000000; do
    file=$(sample_file "$rows")
    declare -A wall=()
    for run in classify no-lookup floor cat; do
        case $run in
            classify) read -r s c kb < <(best_of_three "$cli" classify -q "$file") ;;
            no-lookup) read -r s c kb < <(best_of_three "$cli" classify -q --no-lookup "$file") ;;
            floor) read -r s c kb < <(best_of_three "$floor" "$file") ;;
            cat) read -r s c kb < <(best_of_three cat "$file") ;;
        esac
        wall[$run]=$s
        printf '%-10s %-10s %9s %9s %16s %16s %9s\n' "$rows" "$run" "$s" "$c" \
            "$(rate "$rows" "$s")" "$(rate "$rows" "$c")" "$(awk "BEGIN{printf \"%.1f\", $kb / 1024}")"
    done
    awk -v a="${wall[classify]}" -v b="${wall[floor]}" -v n="$rows" \
        'BEGIN{printf "%-10s classify takes %.2f times the floor'"'"'s wall time (goal: at most 2.5)\n", n, a / b}'
done
rm -f "$work/stdout" "$work/time.txt"

tests=$build/tests/cli/cli_tool_tests
if [[ -x $tests ]]; then
    echo "Checking the 1,000,000 rows against soiltex::PointLookup (about 15 s) ..."
    GRANUM_IDENTITY_SAMPLES=$work/samples-1000000.csv \
        "$tests" --gtest_filter='ToolRun.SameTexturesAsPointLookupUsda' --gtest_brief=1
else
    echo "($tests is not built: no check against PointLookup)"
fi
