#!/usr/bin/env python3
"""difficulty_table.py: flies every level of a level set with the three aircraft through
`gw-bench flight --enemies --no-draw --runs N`, prints the table per level and aircraft
(targets/min, launches/min, hull lost/min, deaths of N runs, longest gap in s) and checks the
difficulty curve: level 1 gentle (at least 14 targets a minute, no gap over 8 s, no death),
targets, launches and hull lost per minute never lower than on the level before, and levels 9
and 10 costing a life with at least two of the three aircraft. Exit status 1 when the curve
does not hold.

Run from the game folder (build/default/game), under a display:
    xvfb-run -a ../../../tools/bench/difficulty_table.py [--runs N] [--set PATH] [--bench PATH]
"""
import argparse
import json
import os
import subprocess
import sys

AIRCRAFT = ["F-22", "F/A-18", "AH-64"]
KEYS = ["targets_per_min_mean", "launches_per_min_mean", "hull_lost_per_min_mean"]


def fly(bench, aircraft, runs, level_set):
    cmd = [bench, "flight", "--enemies", "--no-draw", "--aircraft", str(aircraft), "--runs", str(runs)]
    if level_set:
        cmd += ["--set", level_set]
    out = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=False, text=True).stdout
    return json.loads(out)["levels"]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--set", default="")
    ap.add_argument("--bench", default=os.path.join("..", "bin", "gw-bench"))
    ap.add_argument("--json", default="", help="also write the raw figures here")
    a = ap.parse_args()
    # The bench reports the pooled keys only for more than one run.
    runs = max(2, a.runs)
    table = [fly(a.bench, k, runs, a.set) for k in range(3)]
    if a.json:
        with open(a.json, "w") as f:
            json.dump(table, f)

    faults = []
    print("| lvl | " + " | ".join(AIRCRAFT) + " |")
    print("|---|---|---|---|")
    levels = len(table[0])
    for i in range(levels):
        cells = []
        for k in range(3):
            r = table[k][i]
            marks = []
            for key in KEYS:
                low = i > 0 and r[key] < table[k][i - 1][key]
                marks.append("✗" if low else "")
                if low:
                    faults.append("%s level %d: %s %.2f < %.2f" % (AIRCRAFT[k], r["level"], key, r[key],
                                                                     table[k][i - 1][key]))
            cells.append("%.1f%s · %.1f%s · %.2f%s · %d · %.1f" % (
                r["targets_per_min_mean"], marks[0], r["launches_per_min_mean"], marks[1],
                r["hull_lost_per_min_mean"], marks[2], r["deaths_total"], r["longest_gap_s_max"]))
            if i == 0:
                if r["targets_per_min_mean"] < 14:
                    faults.append("%s level 1: %.1f targets a minute" % (AIRCRAFT[k], r["targets_per_min_mean"]))
                if r["longest_gap_s_max"] > 8:
                    faults.append("%s level 1: a gap of %.1f s" % (AIRCRAFT[k], r["longest_gap_s_max"]))
                if r["deaths_total"]:
                    faults.append("%s level 1: %d deaths" % (AIRCRAFT[k], r["deaths_total"]))
        print("| %d | %s |" % (table[0][i]["level"], " | ".join(cells)))
    for i in range(max(0, levels - 2), levels):
        dead = sum(1 for k in range(3) if table[k][i]["deaths_total"] > 0)
        if dead < 2:
            faults.append("level %d costs a life with %d aircraft" % (table[0][i]["level"], dead))
    print("cells: targets/min · launches/min · hull lost/min · deaths of %d · longest gap s (max); ✗ lower "
          "than the level before" % runs)
    for f in faults:
        print("FAIL " + f)
    print("curve holds" if not faults else "curve fails: %d" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
