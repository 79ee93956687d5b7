#!/usr/bin/python3
"""tilzo-solve on seeded random boards: per-board scores, totals and playouts a second.

usage: solve_bench.py TILZO_SOLVE [--levels 1,10,60] [--boards 20] [--kinds tilzo,standard] [--threads 2]
"""
import argparse
import random
import re
import subprocess
import sys
import time

# kind: rules, side, first seed
KINDS = {"tilzo": ("tilzo", 16, 1000), "standard": ("standard", 15, 2000)}


def boards(kind, count):
    _, side, seed = KINDS[kind]
    text = []
    for n in range(count):
        draw = random.Random(seed + n)
        text += [" ".join(str(draw.randrange(5)) for _ in range(side)) for _ in range(side)] + [""]
    return "\n".join(text)


def run(program, kind, seconds, count, threads):
    started = time.monotonic()
    done = subprocess.run([program, "--rules", KINDS[kind][0], "--seconds", str(seconds), "--threads",
                           str(threads), "--seed", "1", "--stats"], input=boards(kind, count),
                          capture_output=True, text=True, check=True)
    wall = time.monotonic() - started
    scores = [int(line.split()[1]) for line in done.stdout.splitlines() if line.startswith("score ")]
    counts = [int(m.group(1)) for m in re.finditer(r"(\d+) playouts", done.stderr)]
    return scores, sum(counts) / wall


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--levels", default="1,10,60")
    parser.add_argument("--boards", type=int, default=20)
    parser.add_argument("--kinds", default="tilzo,standard")
    parser.add_argument("--threads", type=int, default=2)
    args = parser.parse_args()
    for seconds in args.levels.split(","):
        for kind in args.kinds.split(","):
            scores, rate = run(args.program, kind, float(seconds), args.boards, args.threads)
            print(f"{kind:8} {seconds:>3} s: total {sum(scores):7}  {rate:9.0f} playouts/s  boards "
                  + " ".join(map(str, scores)), flush=True)
    with open("/proc/loadavg") as load:
        print("load average after the run:", load.read().split()[:3])


if __name__ == "__main__":
    sys.exit(main())
