#!/usr/bin/env python3
"""Works out long-run shares exactly, with fractions, apart from the C++ code.

For each rate set it prints the share of counted ticks each state gets under
the window's draw (40 passes; an attempt with single-precision chance c fires
with chance ceil(c * 2^24) / 2^24) and the textbook continuous-time shares.
The figures pasted into tests/long_run_test.cpp come from here.
"""
import math
import struct
from fractions import Fraction

STATES = 4
# (rate box, target) of the three attempts out of each state, in order.
ATTEMPTS = [[(3, 1), (7, 2), (8, 3)], [(4, 0), (10, 2), (0, 3)],
            [(2, 0), (11, 1), (6, 3)], [(9, 0), (5, 1), (1, 2)]]
STEPS = 1 << 24
FLT_MAX = struct.unpack('f', b'\xff\xff\x7f\x7f')[0]


def narrow(x):
    if math.isnan(x):
        return 0.0
    x = max(-FLT_MAX, min(FLT_MAX, x))
    return struct.unpack('f', struct.pack('f', x))[0]


def fires(c):
    if not c > 0:
        return Fraction(0)
    return min(Fraction(1), Fraction(math.ceil(Fraction(c) * STEPS), STEPS))


def draw_matrix(rates, passes=40):
    s = max(0.0, *rates) * 250.0
    matrix = []
    for frm in range(STATES):
        (b1, _), (b2, _), (b3, _) = ATTEMPTS[frm]
        q1, q2, q3 = rates[b1], rates[b2], rates[b3]
        chances = [narrow(q1 / s), narrow((q2 / s) / (1.0 - q1 / s)),
                   narrow(((q3 / s) / (1.0 - q1 / s)) / (1.0 - q2 / s))]
        row = [Fraction(0)] * STATES
        missed = Fraction(1)
        per_pass = [Fraction(0)] * STATES
        for (box, to), c in zip(ATTEMPTS[frm], chances):
            f = fires(c)
            per_pass[to] = missed * f
            missed *= 1 - f
        a = 1 - missed
        leaves = 1 - missed ** passes
        for to in range(STATES):
            if to != frm and a > 0:
                row[to] = per_pass[to] / a * leaves
        row[frm] = 1 - sum(row)
        matrix.append(row)
    return matrix


def rate_matrix(rates):
    matrix = [[Fraction(0)] * STATES for _ in range(STATES)]
    for frm in range(STATES):
        for box, to in ATTEMPTS[frm]:
            r = rates[box]
            matrix[frm][to] = Fraction(r) if r > 0 else Fraction(0)
    return matrix


def solve(a, b):
    n = len(b)
    a = [row[:] + [b[i]] for i, row in enumerate(a)]
    for col in range(n):
        pivot = next(r for r in range(col, n) if a[r][col] != 0)
        a[col], a[pivot] = a[pivot], a[col]
        for r in range(n):
            if r != col and a[r][col] != 0:
                f = a[r][col] / a[col][col]
                a[r] = [x - f * y for x, y in zip(a[r], a[col])]
    return [a[i][n] / a[i][i] for i in range(n)]


def settle(leaving, start):
    """leaving[i][j] for i != j: chances or rates; the diagonal is ignored."""
    reach = [[i == j or leaving[i][j] > 0 for j in range(STATES)] for i in range(STATES)]
    for k in range(STATES):
        for i in range(STATES):
            for j in range(STATES):
                reach[i][j] = reach[i][j] or (reach[i][k] and reach[k][j])
    recurrent = [all(reach[j][i] for j in range(STATES) if reach[i][j]) for i in range(STATES)]
    shares = [Fraction(0)] * STATES
    done = set()
    for leader in range(STATES):
        if not recurrent[leader] or leader in done or not reach[start][leader]:
            continue
        group = [j for j in range(STATES) if reach[leader][j]]
        done.update(group)
        # Chance of ending in the group: h = 1 on it, 0 where it cannot be
        # reached, and sum_j leaving[i][j] (h_j - h_i) = 0 elsewhere.
        a = [[Fraction(0)] * STATES for _ in range(STATES)]
        b = [Fraction(0)] * STATES
        for i in range(STATES):
            if i in group:
                a[i][i], b[i] = Fraction(1), Fraction(1)
            elif recurrent[i] or not reach[i][leader]:
                a[i][i] = Fraction(1)
            else:
                for j in range(STATES):
                    if j != i:
                        a[i][j] += leaving[i][j]
                        a[i][i] -= leaving[i][j]
        weight = solve(a, b)[start]
        # Balance within the group: sum_i pi_i leaving[i][j] = pi_j out_j.
        n = len(group)
        a = [[Fraction(0)] * n for _ in range(n)]
        for r, j in enumerate(group):
            for c, i in enumerate(group):
                if i == j:
                    a[r][c] = -sum(leaving[j][k] for k in group if k != j)
                else:
                    a[r][c] = leaving[i][j]
        a[-1] = [Fraction(1)] * n
        pi = solve(a, [Fraction(0)] * (n - 1) + [Fraction(1)])
        for c, i in enumerate(group):
            shares[i] += weight * pi[c]
    return shares


def rates_of(pairs):
    rates = [0.0] * 12
    for box, value in pairs.items():
        rates[box] = value
    return rates


CASES = {
    "the fuzzer's finding": ({**{b: -1.0 for b in range(12)}, 8: 1e-9}, 0),
    "a state that leaks at 1e-12": ({3: 1.0, 4: 6.0, 10: 1e-12, 2: 6.0}, 0),
    "two closed groups reached from Blue": ({3: 1.0, 7: 2.0, 0: 1.0, 5: 3.0}, 0),
    "a rate too small for single precision": ({3: 1e-45, 4: 6.0}, 0),
    "a rate one grid step survives": ({3: 1e-40, 4: 6.0}, 0),
    "a rate near the largest readable": ({3: 7e305, 4: 1e305, 10: 5e-324, 2: 1.0}, 0),
    "the M/M/1/3 queue": ({3: 2.0, 4: 3.0, 10: 2.0, 11: 3.0, 6: 2.0, 1: 3.0}, 0),
    "two grid steps against the old ratio": ({3: 1e-12, 4: 1e-13, 6: 1.0, 1: 1.0}, 0),
}

if __name__ == "__main__":
    for name, (pairs, start) in CASES.items():
        rates = rates_of(pairs)
        draw = settle(draw_matrix(rates), start)
        textbook = settle(rate_matrix(rates), start)
        print(f"{name}:")
        print("  draw     {" + ", ".join(repr(float(x)) for x in draw) + "}")
        print("  textbook {" + ", ".join(repr(float(x)) for x in textbook) + "}")
