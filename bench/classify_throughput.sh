#!/usr/bin/env bash
# Throughput and peak memory of `granum-cli classify` with the bundled USDA scheme, for files of
# 1,000,000 and 10,000,000 random compositions (bench/make_samples.py, seed 42):
#   classify   the whole run, file to file
#   floor      the same file read and written without classification (--no-lookup)
#   cat        the bytes copied by cat, for scale
# Each is the best of three runs; memory is the peak resident set of the classify run.
# Then the 1,000,000-row output is checked row by row against soiltex::PointLookup.
#
#   bench/classify_throughput.sh [BUILD_FOLDER]    (default: build, a Release build)
# The sample files are kept in ${TMPDIR:-/tmp}/granum-throughput for the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/cli/granum-cli
if [[ ! -x $cli ]]; then
    echo "classify_throughput.sh: no $cli; build first (cmake --build $build)" >&2
    exit 2
fi
work=${TMPDIR:-/tmp}/granum-throughput
mkdir -p "$work"

# Runs a command with its output to a file; prints "SECONDS PEAK_KB".
measure() {
    if [[ -x /usr/bin/time ]]; then
        /usr/bin/time -f '%e %M' -o "$work/time.txt" "$@" > "$work/out.csv"
        cat "$work/time.txt"
    else
        python3 - "$work/out.csv" "$@" <<'PY'
import resource, subprocess, sys, time
start = time.perf_counter()
with open(sys.argv[1], "wb") as out:
    subprocess.run(sys.argv[2:], stdout=out, check=True)
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
print(f"{time.perf_counter() - start:.2f} {peak}")
PY
    fi
}

best_of_three() {
    local best="" peak=0 seconds kb
    for _ in 1 2 3; do
        read -r seconds kb < <(measure "$@")
        if [[ -z $best ]] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; fi
        ((kb > peak)) && peak=$kb
    done
    echo "$best $peak"
}

rate() { awk "BEGIN{printf \"%.2f M rows/s\", $1 / ($2 > 0 ? $2 : 0.001) / 1e6}"; }

printf '%-12s %-9s %10s %16s %10s\n' rows run seconds throughput "peak MB"
for rows in 1000000 10000000; do
    file=$work/samples-$rows.csv
    if [[ ! -s $file ]]; then
        python3 bench/make_samples.py "$rows" 42 > "$file.part"
        mv "$file.part" "$file"
    fi
    for run in classify floor cat; do
        case $run in
            classify) read -r s kb < <(best_of_three "$cli" classify -q "$file") ;;
            floor) read -r s kb < <(best_of_three "$cli" classify -q --no-lookup "$file") ;;
            cat) read -r s kb < <(best_of_three cat "$file") ;;
        esac
        printf '%-12s %-9s %10s %16s %10s\n' "$rows" "$run" "$s" "$(rate "$rows" "$s")" \
            "$(awk "BEGIN{printf \"%.1f\", $kb / 1024}")"
    done
done
rm -f "$work/out.csv" "$work/time.txt"

tests=$build/tests/cli/cli_tool_tests
if [[ -x $tests ]]; then
    echo "Checking the 1,000,000 rows against soiltex::PointLookup (about 15 s) ..."
    GRANUM_IDENTITY_SAMPLES=$work/samples-1000000.csv \
        "$tests" --gtest_filter='ToolRun.SameTexturesAsPointLookupUsda' --gtest_brief=1
else
    echo "($tests is not built: no check against PointLookup)"
fi
