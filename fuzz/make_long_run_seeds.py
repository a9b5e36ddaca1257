#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_long_run: rate sets that were hard for the
long-run theory, encoded as the fuzz target reads them through
FuzzedDataProvider (integers from the end of the input, last byte first).

    fuzz/make_long_run_seeds.py fuzz/corpus/fuzz_long_run
"""
import os
import struct
import sys

INF, NAN = float("inf"), float("nan")


def seed(rates, passes=40, scale=None):
    rates = [rates.get(box, 0.0) for box in range(12)]
    if scale is None:
        scale = max(0.0, *rates) * 250.0
    chunks = [struct.pack("<H", passes + 32768), struct.pack("<d", scale)]
    chunks += [struct.pack("<d", rate) for rate in rates]
    return b"".join(reversed(chunks))


SEEDS = {
    "one_phone": seed({3: 1.0, 4: 6.0}),
    "leak_to_cyan": seed({**{box: -1.0 for box in range(12)}, 8: 1e-9}),
    "leak_1e-12": seed({3: 1.0, 4: 6.0, 10: 1e-12, 2: 6.0}),
    "two_groups": seed({3: 1.0, 7: 2.0, 0: 1.0, 5: 3.0}),
    "extreme_ratios": seed({3: 7e305, 4: 1e305, 10: 5e-324, 2: 1.0}),
    "not_numbers": seed({3: NAN, 4: INF, 7: -INF, 10: 1.0}, passes=32767),
    "no_budget": seed({3: 1.0, 4: 6.0}, passes=-5),
}


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
