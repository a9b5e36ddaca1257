#!/usr/bin/env python3
"""Writes the texts that tests/number_probe.cpp reads, one per line, to the
file named as the only argument: always the same texts (a fixed seed).

Every text is printable ASCII (with tabs): node hands a program its standard
input decoded as UTF-8 in chunks, so other bytes could reach the browser build
changed. What the texts hold:
  - every power of two a double holds, 2^-1074 to 2^1023, in Python's
    shortest form and with 17 significant digits;
  - random bit patterns, as Python's shortest form and as %.17g;
  - decimals with many digits, and the exact halfway points between
    neighbouring doubles, written out in full (up to about 800 digits) and
    nudged by a digit far behind them;
  - texts with signs, blanks, commas, exponents (e, E, d, D), &H / &O
    prefixes and digit runs long enough to be cut;
  - junk.
"""

import random
import struct
import sys
from decimal import Decimal, getcontext

getcontext().prec = 2000
rng = random.Random(20240611)


def double_of(bits):
    return struct.unpack("<d", struct.pack("<Q", bits))[0]


def exact(value):
    """The exact decimal value of a double, in plain notation."""
    return format(Decimal(value), "f")


def powers_of_two():
    for exponent in range(-1074, 1024):
        value = 2.0**exponent
        yield repr(value)
        yield "%.17g" % value


def random_patterns(count):
    for _ in range(count):
        value = double_of(rng.getrandbits(64))
        yield repr(value)
        yield "%.17g" % value


def many_digit_decimals(count):
    for _ in range(count):
        digits = "".join(rng.choice("0123456789") for _ in range(rng.randint(16, 60)))
        point = rng.randint(0, len(digits))
        text = digits[:point] + "." + digits[point:]
        if rng.random() < 0.5:
            text += "e%d" % rng.randint(-340, 320)
        yield rng.choice(["", "-", "+"]) + text


def halfway_points(count):
    """Exact midpoints between neighbouring doubles, the hardest cases to
    round, plus the same a hair above and below."""
    for _ in range(count):
        bits = rng.choice(
            [
                rng.getrandbits(63),  # anywhere
                rng.randrange(0, 1 << 52),  # subnormal
                rng.randrange(0x3FF0000000000000, 0x4340000000000000),  # 1 to 2^53
            ]
        )
        low = double_of(bits)
        high = double_of(bits + 1)
        if low != low or high != high or high == float("inf"):
            continue
        middle = (Decimal(low) + Decimal(high)) / 2
        text = format(middle, "f")
        yield text
        yield text + "0" * 40 + "1"
        if text[-1] != "0":
            yield text[:-1] + str(int(text[-1]) - 1) + "9" * 30
        yield "%se%d" % (format(middle.scaleb(20), "f"), -20)


def long_digit_runs():
    for length in (700, 767, 768, 769, 770, 799, 800, 801, 802, 1000, 5000):
        for lead in ("1", "9", "0."):
            body = "".join(rng.choice("0123456789") for _ in range(length))
            yield lead + body
            yield lead + body + "e-400"
            yield "0." + "0" * length + "1" + body[:30]
            yield "1" + "0" * length + ".5"


def shaped_texts(count):
    pieces = ["1", "0", "12", "3.5", ".5", "5.", "007", "1e5", "2E-3", "1d2", "4D+1", "1,5",
              "1.000,5", "1e", "1e+", "-", "+", "--1", "+-1", " ", "\t", "  ", ",", ".",
              "&H", "&h", "&O", "&o", "&", "FF", "ff", "7777", "g", "x", "0x1F", "inf",
              "nan", "e", "E", "d", "9" * 25, "0" * 30, "1e400", "1e-400", "e99999",
              "e-99999", "1e99999999999999999999"]
    for _ in range(count):
        yield "".join(rng.choice(pieces) for _ in range(rng.randint(1, 6)))


def hex_and_octal(count):
    for _ in range(count):
        marker = rng.choice(["&H", "&h", "&O", "&o", " & H", "&\tO"])
        alphabet = "0123456789abcdefABCDEF" if marker.strip()[-1] in "Hh" else "01234567"
        digits = "".join(rng.choice(alphabet) for _ in range(rng.randint(1, 300)))
        tail = rng.choice(["", "g", " 12", ".5", "e3", "9"])
        yield marker + digits + tail


def junk(count):
    alphabet = [chr(c) for c in range(0x20, 0x7F)] + ["\t"]
    for _ in range(count):
        yield "".join(rng.choice(alphabet) for _ in range(rng.randint(0, 40)))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_number_probe_input.py OUTPUT")
    texts = []
    texts += powers_of_two()
    texts += random_patterns(30000)
    texts += many_digit_decimals(20000)
    texts += halfway_points(5000)
    texts += long_digit_runs()
    texts += shaped_texts(20000)
    texts += hex_and_octal(5000)
    texts += junk(10000)
    # A few hand-picked ones: both zeros, the extremes and their neighbours.
    for value in (0.0, -0.0, 5e-324, 2.2250738585072009e-308, 2.2250738585072014e-308,
                  1.7976931348623157e308, 1e-5, 9.999999999999999e-6, 1e15, 999999999999999.9):
        texts += [repr(value), repr(-value), exact(value)]
    texts += ["", " ", "\t", "1.7976931348623158e308", "1.7976931348623159e308"]
    assert all("\n" not in t and "\r" not in t for t in texts)
    with open(sys.argv[1], "w", encoding="ascii", newline="\n") as out:
        for text in texts:
            out.write(text + "\n")
    print("%d texts" % len(texts))


if __name__ == "__main__":
    main()
