#!/usr/bin/env python3
"""Writes the seeds of fuzz_input into fuzz_input/: short scripts of stylus
events in the target's byte format (see fuzz/CFuzzInputBackend.h) that reach
the menus, the About dialog, the questions, play on the board, the tooltips
and the ways of closing, so that the fuzzer starts from there. Points are
screen pixels of the game as dealt at the fuzzer's pinned time."""

import os
import random

TAP, PRESS, RELEASE, MOVE, DOUBLE, WAIT, CLOSE = 0, 1, 2, 3, 4, 6, 7
GAP_700_MS = 11


def ev(kind, x, y, gap=GAP_700_MS):
    return bytes([kind | (gap << 3) | ((y >> 8) << 7), x, y & 0xFF])


def tap(x, y):
    return ev(TAP, x, y)


def board(x, y):
    """A board point on the screen, below the 26-pixel command bar."""
    return (x, y + 26)


def seeds():
    yield 'menus-about-deal', [
        tap(20, 12), tap(13, 60),                    # File > About
        tap(170, 67), tap(170, 67), tap(224, 36),    # Rules, Rules, OK
        tap(57, 12), tap(58, 36),                    # Game > Undo, disabled
        tap(57, 12),                                 # closes the menu
        tap(57, 12), tap(58, 55), tap(90, 180),      # Game > Deal, Yes
    ]
    play = []
    for i in range(6):
        play += [tap(*board(10, 10)), tap(*board(30, 10)),   # stock, waste
                 tap(*board(24 * (i + 2) + 10, 45 + 10 * (i + 2)))]
    play += [ev(DOUBLE, *board(24 * c + 10, 40 + 10 * c)) for c in range(10)]
    play.append(tap(145, 13))                        # the Undo button
    yield 'play-stock-columns-undo', play
    yield 'exit-no-deal-no', [tap(99, 13), tap(146, 197), tap(122, 13), tap(146, 186),
                              tap(20, 12), tap(13, 36), tap(146, 197)]
    # A long stretch of play: the fuzzer's inputs may then grow as long.
    rng = random.Random(1)
    long_play = []
    for _ in range(300):
        pick = rng.random()
        if pick < 0.2:
            long_play.append(tap(*board(rng.randrange(24), rng.randrange(28))))      # the stock
        elif pick < 0.3:
            long_play.append(ev(DOUBLE, *board(rng.randrange(25, 48), rng.randrange(28))))
        elif pick < 0.4:
            long_play.append(tap(*board(rng.randrange(49, 240), rng.randrange(28))))
        else:
            c = rng.randrange(10)
            long_play.append(ev(DOUBLE if pick > 0.9 else TAP, *board(24 * c + rng.randrange(24), 35 + rng.randrange(150))))
    yield 'long-play', long_play
    yield 'close-button', [tap(228, 13)]
    yield 'tooltips-and-host-close', [ev(MOVE, 145, 13), ev(WAIT, 145, 13, 14), ev(PRESS, 168, 13),
                                      ev(WAIT, 168, 13, 12), ev(RELEASE, 10, 200), ev(CLOSE, 0, 0)]


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'fuzz_input')
    os.makedirs(folder, exist_ok=True)
    for name, events in seeds():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(b''.join(events))


if __name__ == '__main__':
    main()
