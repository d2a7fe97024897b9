#!/usr/bin/python3
"""Reads the standings table of a running Tablora the way a screen reader does
(AT-SPI), prints it row by row, and compares its figures with those of
`tablora-cli standings` for the same season. Exit status 1 when they differ.

    atspi-standings.py TABLORA_CLI SEASON.qvk

Run by scripts/atspi-standings.sh, which starts the program on a display
with the accessibility bus and opens the standings window."""
import subprocess
import sys
import time

import pyatspi


def find(node, wanted, depth=0):
    """The first accessible under `node` (itself included) for which `wanted` holds."""
    if node is None or depth > 40:
        return None
    try:
        if wanted(node):
            return node
        for i in range(node.childCount):
            found = find(node.getChildAtIndex(i), wanted, depth + 1)
            if found is not None:
                return found
    except Exception:  # a window closing under us
        return None
    return None


def standings_table(timeout=30):
    deadline = time.time() + timeout
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is None or "tablora" not in (app.name or "").lower():
                continue
            table = find(app, lambda n: n.getRole() == pyatspi.ROLE_TABLE and "勝敗表" in (n.name or ""))
            if table is not None:
                return table
        time.sleep(0.5)
    sys.exit("atspi-standings: no standings table showed up on the accessibility bus")


def main():
    cli, season = sys.argv[1], sys.argv[2]
    table = standings_table()
    t = table.queryTable()
    headers = [t.getColumnDescription(c) for c in range(t.nColumns)]
    print(f"表: {table.name}  ({t.nRows} 行 × {t.nColumns} 列)")
    print(" | ".join(headers))
    rows = []
    for r in range(t.nRows):
        cells = [t.getAccessibleAt(r, c).name for c in range(t.nColumns)]
        rows.append(dict(zip(headers, cells)))
        print(" | ".join(cells))

    # The command line's standings of the first district: rank, team, games,
    # wins, losses, draws, rate, behind, remaining.
    text = subprocess.run([cli, "standings", season], check=True, capture_output=True, text=True).stdout
    lines = [line.split() for line in text.splitlines()[2:] if line.strip()]
    expected = []
    for f in lines:
        rank, rest = f[0], f[1:]
        name_end = next(i for i, x in enumerate(rest) if x.isdigit())  # 阪　　神 may split in two
        name = "".join(rest[:name_end]).replace("\u3000", "")
        games, wins, losses, draws, rate, behind, remain = rest[name_end:name_end + 7]
        expected.append([rank, name, games, wins, losses, draws, rate, behind, remain])
    print()
    print("tablora-cli standings:")
    for e in expected:
        print(" | ".join(e))

    heard = [[r["順位"], r["チーム"], r["試合"], r["勝"], r["負"], r["分"], r["勝率"], r["差 1位 (前)"].split()[0],
              r["残試合 消化率"].split()[0]] for r in rows]
    if heard != expected:
        print("\natspi-standings: the table read aloud differs from tablora-cli standings", file=sys.stderr)
        return 1
    print(f"\natspi-standings: {len(heard)} rows read aloud agree with tablora-cli standings")
    return 0


if __name__ == "__main__":
    sys.exit(main())
