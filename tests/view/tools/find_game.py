#!/usr/bin/env python3
"""Finds a way to win a deal and writes it as the moves of a game file.

    find_game.py DEAL_FILE [BEAM_WIDTH] > game-S.txt

DEAL_FILE is a deal as tests/model/data/deal-S.txt has it (the stock from its
top card down, each column from its deepest card). The search is a beam
search over the game's moves, scored by the cards left to turn and place and
by the breaks in the columns' runs; the path found is then pruned of every
move the win does not need. The game is won when the stock and the waste are
empty and every column is empty or one run; the search stops at the first
position that is won, so no earlier move wins.

Columns are kept to 25 cards, so that every card can be tapped inside the
board window.
"""

import sys

RANKS = "A23456789TJQK"
SUITS = "SHCD"
MAX_COLUMN = 25


def parse_card(word):
    return (SUITS.index(word[1]), RANKS.index(word[0]))


def load_deal(path):
    stock, columns = [], [[] for _ in range(10)]
    with open(path) as f:
        for line in f:
            head, _, body = line.partition(":")
            if head.startswith("stock"):
                stock = [parse_card(w) for w in body.split()]
            elif head.startswith("column"):
                columns[int(head.split()[1])] = [parse_card(w) for w in body.split()]
    return stock, columns


def is_run(col, i):
    if i >= len(col):
        return False
    return all(b[1] == a[1] - 1 and b[0] % 2 != a[0] % 2 for a, b in zip(col[i:], col[i + 1:]))


def column_accepts(col, card):
    if not col:
        return card[1] == 12
    e = col[-1]
    return card[1] + 1 == e[1] and card[0] % 2 != e[0] % 2


def pick_foundation(tops, card):
    a = 2 * card[0]
    b = a + 1
    if card[1] == 0:
        return a if tops[a] < 0 else b
    if tops[a] < 0:
        return None
    if tops[a] == card[1] - 1:
        return a
    if tops[b] >= 0 and tops[b] == card[1] - 1:
        return b
    return None


def is_won(s):
    stock, waste, cols, _ = s
    return not stock and not waste and all(not c or is_run(c, 0) for c in cols)


def key(s):
    stock, waste, cols, tops = s
    return (tuple(stock), tuple(waste), tuple(sorted(tuple(c) for c in cols)), tuple(tops))


def moves(s):
    stock, waste, cols, tops = s
    out = []
    for c, col in enumerate(cols):
        if col and pick_foundation(tops, col[-1]) is not None:
            out.append(("dblcol", c))
    if waste and pick_foundation(tops, waste[0]) is not None:
        out.append(("dblwaste",))
    for src, col in enumerate(cols):
        for i in range(len(col)):
            if not is_run(col, i):
                continue
            for dst, dcol in enumerate(cols):
                if dst == src or not column_accepts(dcol, col[i]) or (not dcol and i == 0):
                    continue
                if len(dcol) + len(col) - i <= MAX_COLUMN:
                    out.append(("run", src, i, dst))
    if waste:
        for dst, dcol in enumerate(cols):
            if column_accepts(dcol, waste[0]) and len(dcol) < MAX_COLUMN:
                out.append(("wastecol", dst))
    if stock or waste:
        out.append(("stock",))
    return out


def legal(s, m):
    return m in moves(s)


def apply(s, m):
    stock, waste, cols, tops = list(s[0]), list(s[1]), [list(c) for c in s[2]], list(s[3])
    kind = m[0]
    if kind == "dblcol":
        card = cols[m[1]].pop()
        tops[pick_foundation(s[3], card)] = card[1]
    elif kind == "dblwaste":
        card = waste.pop(0)
        tops[pick_foundation(s[3], card)] = card[1]
    elif kind == "run":
        src, i, dst = m[1:]
        cols[dst] += cols[src][i:]
        del cols[src][i:]
    elif kind == "wastecol":
        cols[m[1]].append(waste.pop(0))
    elif stock:
        waste.insert(0, stock.pop(0))
    else:
        stock, waste = list(reversed(waste)), []
    return stock, waste, cols, tops


def score(s):
    stock, waste, cols, _ = s
    breaks = sum(1 for col in cols for a, b in zip(col, col[1:]) if b[1] != a[1] - 1 or b[0] % 2 == a[0] % 2)
    return 2 * len(stock) + len(waste) + breaks


def beam_search(start, width, max_depth=1000):
    layer = [(start, [])]
    seen = {key(start)}
    for _ in range(max_depth):
        following = []
        for s, path in layer:
            for m in moves(s):
                n = apply(s, m)
                k = key(n)
                if k in seen:
                    continue
                seen.add(k)
                if is_won(n):
                    return path + [m]
                following.append((score(n), len(following), n, path + [m]))
        following.sort(key=lambda t: (t[0], t[1]))
        layer = [(t[2], t[3]) for t in following[:width]]
        if not layer:
            return None
    return None


def wins(start, path):
    s = start
    for m in path:
        if is_won(s) or not legal(s, m):
            return False
        s = apply(s, m)
    return is_won(s)


def prune(start, path):
    changed = True
    while changed:
        changed = False
        i = len(path) - 1
        while i >= 0:
            for w in (1, 2, 3):
                if i - w + 1 >= 0 and wins(start, path[:i - w + 1] + path[i + 1:]):
                    path = path[:i - w + 1] + path[i + 1:]
                    changed = True
                    i = min(i, len(path))
                    break
            i -= 1
    return path


def gestures(start, path):
    """The moves as taps: foundation moves of cards other than Aces go by
    turns as a double tap and as two taps."""
    s, lines, turn = start, [], 0
    for m in path:
        stock, waste, cols, tops = s
        kind = m[0]
        if kind == "stock":
            lines.append("stock")
        elif kind == "run":
            lines.append("column %d card %d > column %d" % m[1:])
        elif kind == "wastecol":
            lines.append("waste > column %d" % m[1])
        else:
            card = waste[0] if kind == "dblwaste" else cols[m[1]][-1]
            turn += 1
            if card[1] == 0 or turn % 2:
                lines.append("double waste" if kind == "dblwaste" else "double column %d" % m[1])
            else:
                f = pick_foundation(tops, card)
                if kind == "dblwaste":
                    lines.append("waste > foundation %d" % f)
                else:
                    lines.append("column %d card %d > foundation %d" % (m[1], len(cols[m[1]]) - 1, f))
        s = apply(s, m)
    return lines


def main():
    stock, columns = load_deal(sys.argv[1])
    width = int(sys.argv[2]) if len(sys.argv) > 2 else 300
    start = (stock, [], columns, [-1] * 8)
    path = beam_search(start, width)
    if path is None:
        sys.exit("no win found; try a wider beam")
    path = prune(start, path)
    print("\n".join(gestures(start, path)))


if __name__ == "__main__":
    main()
