#!/usr/bin/env python3
"""Writes the rate sets that tests/long_run_probe.cpp reads, one per line, to
the file named as the only argument: always the same sets (a fixed seed).

A line holds twelve rates (a rate box's text, or x and a double's 16 hex
digits), a pass budget and a start state. What the sets hold:
  - the five scenarios, from every start and with budgets 0, 1, 40, 32767;
  - the scenarios with one more transition leaking at a tiny rate;
  - rates from 5e-324 to 1e305 and beyond, denormals, 1e-300 beside 1e300,
    negative and equal rates, rows of zeros and closed groups;
  - raw doubles a text cannot give: NaN, infinities, the largest double,
    random bit patterns;
  - budgets beyond sixteen bits, which the reading refuses.
"""

import random
import struct
import sys

rng = random.Random(20250117)

BOXES = 12
# The state each rate box leaves, by box (Blue 0, Purple 1, Green 2, Cyan 3).
BOX_FROM = [1, 3, 2, 0, 1, 3, 2, 0, 0, 3, 1, 2]
SCENARIOS = [
    {3: "1", 4: "6"},
    {3: "1", 4: "8", 2: "2", 7: "3"},
    {3: "0.143", 4: "0.5", 2: "0.333", 7: "0.2"},
    {3: "6", 4: "3", 2: "3", 7: "6", 6: "1", 1: "7", 5: "7", 0: "1"},
    {3: "2", 4: "3", 10: "2", 11: "3", 6: "2", 1: "3"},
]
BUDGETS = [0, 1, 40, 32767]
HOSTILE_TEXTS = ["0", "0.0", "-0", "1", "2", "3", "6", "7", "0.5", "0.143", "-1", "-4",
                 "5e-324", "1e-323", "2.2250738585072009e-308", "1e-300", "1e-200",
                 "1e-45", "1e-40", "1e-12", "1e-9", "1e15", "1e100", "1e200", "1e300",
                 "1e305", "-1e305", "1.7976931348623157e308", "4.9e-324"]


def raw(value):
    return "x%016x" % struct.unpack("<Q", struct.pack("<d", value))[0]


def raw_bits(bits):
    return "x%016x" % bits


def line(rates, budget, start):
    fields = [rates.get(box, "0.0") for box in range(BOXES)]
    return " ".join(fields + [str(budget), str(start)])


def random_text():
    kind = rng.random()
    if kind < 0.5:
        return rng.choice(HOSTILE_TEXTS)
    if kind < 0.7:
        return repr(rng.choice([1.0, 10.0]) ** rng.randint(-323, 305))
    if kind < 0.85:
        return "%.17g" % struct.unpack("<d", struct.pack("<Q", rng.randrange(1, 1 << 52)))[0]
    return "%.6g" % (rng.random() * 10 ** rng.randint(-5, 5))


def random_raw():
    kind = rng.random()
    if kind < 0.3:
        return raw(rng.choice([float("nan"), float("inf"), -float("inf"),
                               1.7976931348623157e308, -1.7976931348623157e308, -0.0]))
    if kind < 0.6:
        return raw_bits(rng.getrandbits(64))
    return raw_bits(rng.randrange(1, 1 << 52))


def scenarios():
    for rates in SCENARIOS:
        for budget in BUDGETS:
            for start in range(4):
                yield line(rates, budget, start)


def leaks(count):
    for _ in range(count):
        rates = dict(rng.choice(SCENARIOS))
        box = rng.choice([b for b in range(BOXES) if b not in rates])
        rates[box] = rng.choice(["1e-12", "1e-300", "5e-324", "1e-45", "1e-40", "1e-20"])
        yield line(rates, rng.choice(BUDGETS), rng.randrange(4))


def hostile(count):
    for _ in range(count):
        rates = {}
        density = rng.random()
        for box in range(BOXES):
            if rng.random() < density:
                rates[box] = random_text()
        shape = rng.random()
        if shape < 0.15:
            # Every rate out of one state zero: it keeps the chain once there.
            state = rng.randrange(4)
            rates = {b: r for b, r in rates.items() if BOX_FROM[b] != state}
        elif shape < 0.25:
            # One rate everywhere it is set.
            value = rng.choice(HOSTILE_TEXTS)
            rates = {b: value for b in rates}
        elif shape < 0.35:
            # The extremes side by side.
            for box in rng.sample(range(BOXES), 2):
                rates[box] = rng.choice(["1e-300", "5e-324"])
            for box in rng.sample(range(BOXES), 2):
                rates[box] = rng.choice(["1e300", "1e305"])
        budget = rng.choice(BUDGETS + [rng.randint(2, 32767), -5])
        yield line(rates, budget, rng.randrange(4))


def raw_sets(count):
    for _ in range(count):
        fields = []
        for _box in range(BOXES):
            kind = rng.random()
            if kind < 0.3:
                fields.append("0.0")
            elif kind < 0.6:
                fields.append(random_text())
            else:
                fields.append(random_raw())
        budget = rng.choice(BUDGETS + [rng.randint(2, 32767), -5])
        yield " ".join(fields + [str(budget), str(rng.randrange(4))])


def refused():
    for budget in (32768, 40000, -32769):
        yield line(SCENARIOS[0], budget, 0)
    yield line({}, 40, 0)
    yield line({3: "1e306"}, 40, 0)
    yield line({3: "abc"}, 40, 0)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_long_run_probe_input.py OUTPUT")
    sets = []
    sets += scenarios()
    sets += leaks(1500)
    sets += hostile(6000)
    sets += raw_sets(4000)
    sets += refused()
    with open(sys.argv[1], "w", encoding="ascii", newline="\n") as out:
        for text in sets:
            out.write(text + "\n")
    print("%d rate sets" % len(sets))


if __name__ == "__main__":
    main()
