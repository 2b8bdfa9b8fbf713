# Timing shared by the throughput scripts; sourced once $work (a scratch folder) is set.

# One run of the command, its standard output into $work/stdout: "WALL_S CPU_S PEAK_KB".
time_once() {
    local start end
    start=$EPOCHREALTIME
    /usr/bin/time -f '%U %S %M' -o "$work/time.txt" "$@" > "$work/stdout"
    end=$EPOCHREALTIME
    awk -v s="$start" -v e="$end" '{printf "%.4f %.2f %d\n", e - s, $1 + $2, $3}' "$work/time.txt"
}

# The best wall and CPU seconds of three runs, and the largest peak in KB.
best_of_three() {
    local best="" cpu="" peak=0 seconds used kb
    for _ in 1 2 3; do
        read -r seconds used kb < <(time_once "$@")
        if [[ -z $best ]] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; fi
        if [[ -z $cpu ]] || awk "BEGIN{exit !($used < $cpu)}"; then cpu=$used; fi
        ((kb > peak)) && peak=$kb
    done
    echo "$best $cpu $peak"
}

# The path of a file of ROWS random compositions (bench/make_samples.py, seed 42), made once and
# kept in $work for the next run.
sample_file() {
    local file=$work/samples-$1.csv
    if [[ ! -s $file ]]; then
        python3 bench/make_samples.py "$1" 42 > "$file.part"
        mv "$file.part" "$file"
    fi
    echo "$file"
}
