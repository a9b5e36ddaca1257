#!/usr/bin/env python3
"""Runs tessel-sim on a pseudo-terminal 40 columns wide and checks its progress
bar as a user sees it: every drawing fits on one line of the terminal, and
Ctrl-C (SIGINT) during the run blanks that line before the program stops.

    check_progress_on_terminal.py PATH/TO/tessel-sim
"""
import fcntl
import os
import pty
import select
import signal
import struct
import sys
import termios
import time

COLUMNS = 40
DEADLINE_SECONDS = 30


def read_some(fd, timeout):
    """What the terminal shows within `timeout` seconds; None at its end."""
    ready, _, _ = select.select([fd], [], [], timeout)
    if not ready:
        return b""
    try:
        return os.read(fd, 4096) or None
    except OSError:  # EIO: the program has closed the terminal
        return None


def main():
    program = sys.argv[1]
    pid, fd = pty.fork()
    if pid == 0:
        os.execv(program, [program, "--ticks", "10000000000", "--seed", "1"])
    fcntl.ioctl(fd, termios.TIOCSWINSZ, struct.pack("HHHH", 24, COLUMNS, 0, 0))

    shown = b""
    deadline = time.monotonic() + DEADLINE_SECONDS
    # Two drawings of the bar: the second is drawn after the size was set.
    while shown.count(b"\r[") < 2 and time.monotonic() < deadline:
        chunk = read_some(fd, 0.2)
        if chunk is None:
            break
        shown += chunk
    failures = []
    if shown.count(b"\r[") < 2:
        failures.append(f"no progress bar within {DEADLINE_SECONDS} s")

    os.kill(pid, signal.SIGINT)
    while time.monotonic() < deadline + 10:
        chunk = read_some(fd, 0.2)
        if chunk is None:
            break
        shown += chunk
    _, status = os.waitpid(pid, 0)

    if not (os.WIFSIGNALED(status) and os.WTERMSIG(status) == signal.SIGINT):
        failures.append(f"the program did not end by SIGINT (wait status {status})")
    if not shown.endswith(b"\r\x1b[K"):
        failures.append("the bar's line was not blanked when the run was interrupted")
    if b"\n" in shown:
        failures.append("the bar went onto more than one line")
    for drawing in shown.split(b"\r"):
        text = drawing.replace(b"\x1b[K", b"")
        if len(text) >= COLUMNS:
            failures.append(f"a drawing of {len(text)} characters on {COLUMNS} columns: {text!r}")

    if failures:
        print(f"The terminal showed: {shown!r}")
        for failure in failures:
            print(f"FAIL: {failure}")
        return 1
    drawings = shown.count(b"\r[")
    print(f"PASS: {drawings} drawings within {COLUMNS - 1} columns; "
          "the line was blanked on SIGINT")
    return 0


if __name__ == "__main__":
    sys.exit(main())
