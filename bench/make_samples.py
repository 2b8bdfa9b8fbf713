#!/usr/bin/env python3
"""Writes N random sample-file lines (Sample ID, x, y, z) to standard output.

    bench/make_samples.py N SEED > samples.csv

The compositions are uniform over the texture triangle, with two decimals that add up to
exactly 100, as a laboratory would report them.
"""
import random
import sys


def main() -> int:
    if len(sys.argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    count, seed = int(sys.argv[1]), int(sys.argv[2])
    rng = random.Random(seed)
    out = sys.stdout
    lines = []
    for i in range(count):
        # Hundredths of a percent; folding the square's upper half keeps the triangle uniform.
        a, b = rng.randrange(10001), rng.randrange(10001)
        if a + b > 10000:
            a, b = 10000 - a, 10000 - b
        c = 10000 - a - b
        lines.append(f"S{i + 1},{a // 100}.{a % 100:02d},{b // 100}.{b % 100:02d},"
                     f"{c // 100}.{c % 100:02d}\n")
        if len(lines) == 100000:
            out.write("".join(lines))
            lines.clear()
    out.write("".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
