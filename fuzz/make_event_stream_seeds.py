#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_event_stream: short event streams that each
show one part of the window's behaviour, encoded as the fuzz target reads its
input through FuzzedDataProvider (numbers from the end of the input, byte
strings from its front).

    fuzz/make_event_stream_seeds.py fuzz/corpus/fuzz_event_stream
"""
import os
import sys

# The event kinds, as the fuzz target numbers them.
SCENARIO, TYPED_SCENARIO, PICK_ENTRY, LIST_CLICK, ONE, START_STOP, PAUSE = range(7)
RATE, EVERY_RATE, TICK, BURST, TIMER_OFF, TIMER_ON, SECOND_LOAD, LONG_RUN = 7, 9, 10, 11, 12, 13, 14, 15
FRAME, OPEN_CHAIN, RENAME = 16, 17, 18
# Indexes into the fuzz target's table of rate texts; TYPED_RATE takes any text.
RATE_TEXTS = ["", "abc", "1,5", "-1", "1e308", "1e-300", "0", "1", "2.5", " 3 ", "0.001",
              "1e-6", "1e5", "0.0", "-0", "1e306", "1e400", "&H10", "\t7\t", "0.143", "1e-9",
              "1.5e1"]
TYPED_RATE = len(RATE_TEXTS) + 1


class Seed:
    def __init__(self, random_bytes):
        self.front = bytearray(random_bytes)
        self.back = [len(random_bytes)]  # in the order the target reads them

    def event(self, kind, *numbers):
        self.back.append(kind)
        self.back.extend(numbers)
        return self

    def text(self, text):
        data = text if isinstance(text, bytes) else text.encode("utf-8")
        self.back.append(len(data))
        self.front += data
        return self

    def rate(self, box, text):
        self.event(RATE, box)
        if text in RATE_TEXTS:
            return self.event(RATE_TEXTS.index(text))
        return self.event(TYPED_RATE).text(text)

    def every_rate(self, text):
        return self.event(EVERY_RATE, RATE_TEXTS.index(text))

    def burst(self, ticks):
        return self.event(BURST, ticks - 1)

    def frame(self, ticks):
        # ConsumeIntegralInRange(1, 2000) reads two bytes, the first read the
        # higher.
        offset = ticks - 1
        return self.event(FRAME, offset >> 8, offset & 0xFF)

    def data(self):
        return bytes(self.front) + bytes(reversed(self.back))


SEEDS = {
    "load_tick": Seed([]).event(TICK).burst(5),
    "one_clicks": Seed([0, 128, 255, 3]).event(ONE).burst(12).event(ONE).burst(12).event(ONE),
    "start_ticks": Seed([200, 0, 50, 1]).event(START_STOP).burst(50).burst(50).event(START_STOP),
    "scenarios": Seed([10, 0]).event(SCENARIO, 4).event(START_STOP).burst(30).event(SCENARIO, 1)
    .event(TYPED_SCENARIO).text("Office").burst(20).event(PICK_ENTRY, 3).event(LIST_CLICK)
    .event(SCENARIO, 2).burst(20),
    "rates": Seed([7, 0, 90]).rate(3, "2.5").rate(4, " 3 ").rate(7, "7.5x").event(ONE)
    .rate(7, "0.143").event(START_STOP).burst(40),
    "huge_rates": Seed([0]).every_rate("1e306").event(START_STOP).event(TICK).rate(2, "1e400")
    .event(TICK).rate(2, "1e308").event(ONE),
    "tiny_rate": Seed([1, 0]).rate(3, "1e-9").rate(4, "1e5").event(ONE).event(TICK),
    "zero_rates": Seed([0]).every_rate("0").event(ONE).event(START_STOP).burst(3),
    "pause_typed": Seed([0, 40]).event(START_STOP).burst(8).event(PAUSE).rate(4, "").event(ONE)
    .event(TICK).event(PAUSE).burst(20).rate(4, "6").burst(20),
    "typed_controls": Seed([5]).rate(3, b"1\xe2\x80\xae2\x1b[2J\xff").event(ONE)
    .rate(3, "x" * 45 + "\u00e9").event(START_STOP).event(TICK),
    "timer_off": Seed([0]).event(ONE).event(TIMER_OFF).burst(15).event(TIMER_ON).burst(15)
    .event(SECOND_LOAD).burst(5),
    "long_run": Seed([3, 200]).event(LONG_RUN).event(SCENARIO, 4).event(START_STOP).burst(20)
    .rate(4, "0").rate(5, "abc").event(TICK).rate(5, "2.5").event(SCENARIO, 2).event(ONE)
    .event(LONG_RUN).burst(5),
    # Every rate -1 but Blue to Cyan at 1e-9 in "Conversation": the chain can
    # only end in "Double Talk", whose mark must read 100.
    "long_run_leak": Seed([0]).event(SCENARIO, 3).every_rate("-1").rate(8, "1e-9")
    .event(LONG_RUN).event(START_STOP).burst(10),
    # A chain of three states (title "Wx"), opened, renamed, run, then a
    # preset and the chain's entry again.
    "chains": Seed([5, 0]).event(OPEN_CHAIN).text("Wx").event(1).event(*([1, 132] * 12))
    .event(RENAME, 0).text("Hot").event(START_STOP).frame(300).event(SCENARIO, 3)
    .event(PICK_ENTRY, 5).frame(100).event(RENAME, 1).text("").event(OPEN_CHAIN).text("Wx")
    .event(2).event(*([0] * 12)),
    "frames": Seed([9, 0, 77]).event(SCENARIO, 3).event(LONG_RUN).event(START_STOP).frame(1000)
    .event(PAUSE).frame(500).event(PAUSE).frame(37).rate(7, "abc").frame(200).event(ONE),
}


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, seed in SEEDS.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(seed.data())


if __name__ == "__main__":
    main()
