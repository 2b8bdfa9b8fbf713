#!/usr/bin/env bash
# Throughput and peak memory of `granum-cli raster` on a synthetic pair of SoilGrids-like layers:
# sand and clay in g/kg as int16, SIZE x SIZE cells, 512 x 512 tiles, DEFLATE, nodata -32768
# (smooth fields with a nodata "sea", made reproducibly from a seeded coarse grid), classified
# with the bundled USDA scheme (--scale 0.1) into a tiled DEFLATE GeoTIFF. Compared with
#   copy      gdal_translate copying both inputs into the same output format (tiled, DEFLATE,
#             compressed on every core), one after the other: the disk-and-codec floor
#   classify  classification alone, one thread, no I/O (bench/raster_classify_bench)
#   --error 2 the same map with each cell's share and distance under a lab error of 2 points
#             (one run: the shares of each stored pair are computed once, as first needed)
# Wall clock of the best of three runs; peak resident set of granum-cli. Then every cell of the
# map is checked against the classifier through GDAL (gdal_translate to text, granum-cli lookup
# for each distinct pair) when SIZE is at most 2000.
#
#   bench/raster_throughput.sh [SIZE] [BUILD_FOLDER]    (defaults: 8000, build)
# The inputs are kept in ${TMPDIR:-/tmp}/granum-raster-SIZE for the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
size=${1:-8000}
build=${2:-build}
cli=$build/cli/granum-cli
classify=$build/bench/raster_classify_bench
for program in "$cli" "$classify"; do
    if [[ ! -x $program ]]; then
        echo "raster_throughput.sh: no $program; build first" >&2
        exit 2
    fi
done
for tool in gdal_translate /usr/bin/time; do
    if ! command -v "$tool" > /dev/null; then
        echo "raster_throughput.sh: needs $tool (Debian packages gdal-bin, time)" >&2
        exit 2
    fi
done
work=${TMPDIR:-/tmp}/granum-raster-$size
mkdir -p "$work"
tiles=(-co TILED=YES -co BLOCKXSIZE=512 -co BLOCKYSIZE=512 -co COMPRESS=DEFLATE)

if [[ ! -f $work/sand.tif || ! -f $work/clay.tif ]]; then
    echo "Making the ${size} x ${size} inputs in $work"
    python3 - "$work" << 'EOF'
import random, sys
random.seed(42)
n = 200
sand = [[0] * n for _ in range(n)]
clay = [[0] * n for _ in range(n)]
for y in range(n):
    for x in range(n):
        s = random.randint(0, 998)
        sand[y][x] = s
        clay[y][x] = random.randint(0, 998 - s)
        # A corner of sea: nodata.
        if x + y < n // 5:
            sand[y][x] = clay[y][x] = -32768
for name, grid in (("sand", sand), ("clay", clay)):
    with open(f"{sys.argv[1]}/{name}.asc", "w") as f:
        f.write(f"ncols {n}\nnrows {n}\nxllcorner 0\nyllcorner 0\ncellsize 10000\n"
                "NODATA_value -32768\n")
        for row in grid:
            f.write(" ".join(map(str, row)) + "\n")
EOF
    for layer in sand clay; do
        gdal_translate -q -ot Int16 -a_srs EPSG:3035 -outsize "$size" "$size" -r bilinear \
            "${tiles[@]}" "$work/$layer.asc" "$work/$layer.tif"
    done
fi

. bench/timing.sh

# Both inputs copied, one after the other, in a shell of their own so that it can be timed.
copy_both=(bash -c 'for layer in sand clay; do
    GDAL_NUM_THREADS=ALL_CPUS gdal_translate -q -co TILED=YES -co BLOCKXSIZE=512 \
        -co BLOCKYSIZE=512 -co COMPRESS=DEFLATE -co NUM_THREADS=ALL_CPUS \
        "$0/$layer.tif" "$0/copy-$layer.tif" || exit
done' "$work")

cells=$((size * size))
read -r raster_wall _ raster_kb < <(best_of_three "$cli" raster -q --sand "$work/sand.tif" \
    --clay "$work/clay.tif" --scale 0.1 -o "$work/texture.tif")
read -r copy_wall _ _ < <(best_of_three "${copy_both[@]}")
read -r error_wall _ error_kb < <(time_once "$cli" raster -q --sand "$work/sand.tif" \
    --clay "$work/clay.tif" --scale 0.1 --error 2 -o "$work/texture-error.tif")
alone=$("$classify" --benchmark_filter=Int16 --benchmark_format=csv 2> /dev/null |
    awk -F, '/Int16/ { printf "%.0f", $(NF - 3) / 1e6 }')

echo "cells:            $cells (${size} x ${size}), $(nproc) cores"
awk -v c="$cells" -v w="$raster_wall" -v k="$raster_kb" \
    'BEGIN { printf "granum-cli raster: %.2f s, %.1f M cells/s, peak %.0f MB\n", w, c / w / 1e6, k / 1024 }'
awk -v c="$cells" -v w="$error_wall" -v k="$error_kb" \
    'BEGIN { printf "raster --error 2: %.2f s, %.2f M cells/s, peak %.0f MB\n", w, c / w / 1e6, k / 1024 }'
awk -v w="$copy_wall" 'BEGIN { printf "gdal_translate copy of both inputs: %.2f s\n", w }'
awk -v r="$raster_wall" -v c="$copy_wall" 'BEGIN { printf "ratio raster / copy: %.2f (goal <= 1.5)\n", r / c }'
echo "classification alone, one thread: ${alone} M cells/s (goal >= 50)"

if ((size <= 2000)); then
    # Every distinct (sand, clay) pair of the map, classified once by lookup, must be the class
    # the map holds for it.
    gdal_translate -q -of XYZ "$work/sand.tif" "$work/sand.xyz"
    gdal_translate -q -of XYZ "$work/clay.tif" "$work/clay.xyz"
    gdal_translate -q -of XYZ "$work/texture.tif" "$work/texture.xyz"
    paste -d' ' <(cut -d' ' -f3 "$work/sand.xyz") <(cut -d' ' -f3 "$work/clay.xyz") \
        <(cut -d' ' -f3 "$work/texture.xyz") | sort -u > "$work/pairs.txt"
    # The map's code goes in as the sample id and comes back beside the texture.
    awk '$1 != -32768 { printf "%s,%.1f,%.1f,\n", $3, $1 / 10, $2 / 10 }' "$work/pairs.txt" \
        > "$work/pairs.csv"
    "$cli" classify -q "$work/pairs.csv" -o "$work/pairs-classified.csv"
    # The attribute table's names by code.
    awk -F'[<>]' '/<Row index/ { getline; code = $3; getline; name = $3; print code "\t" name }' \
        "$work/texture.tif.aux.xml" > "$work/codes.tsv"
    mismatches=$(awk -F'\t' 'NR == FNR { name[$1] = $2; next }
        { split($0, f, ","); texture = f[5]; sub(/ \/ .*/, "", texture)
          code = f[1]
          if (name[code] != texture) bad++ } END { print bad + 0 }' \
        "$work/codes.tsv" "$work/pairs-classified.csv")
    echo "distinct pairs checked against classify: $(wc -l < "$work/pairs.csv"), mismatches: $mismatches"
    [[ $mismatches == 0 ]]
fi
