#!/usr/bin/env python3
"""Times rename tools on fresh copies of one folder, in rounds, and prints a table.

usage: run-bench.py --master DIR --run DIR --runs N --mode warm|cold --title TEXT
                    NAME=COMMAND...

Before every timed command the run folder is made anew from hard links to the master
folder (every tool only renames, so the master stays intact). In cold mode the system's
caches are then dropped (sync; echo 3 > /proc/sys/vm/drop_caches), so every command
starts from the disk. Each round runs every command once, the order turning from round to
round, so that a machine that gets busier or quieter during the run treats all alike.
A command runs in the run folder through the shell. The first command is the floor the
others are compared with.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time


def prepare(master, run, cold):
    shutil.rmtree(run, ignore_errors=True)
    subprocess.run(["cp", "-al", master, run], check=True)
    if cold:
        os.sync()
        with open("/proc/sys/vm/drop_caches", "w") as caches:
            caches.write("3\n")


def untouched(run):
    """Files that still carry their original name."""
    return sum(1 for name in os.listdir(run) if name.startswith("IMG_"))


def load():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--master", required=True)
    parser.add_argument("--run", required=True)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--mode", choices=("warm", "cold"), default="warm")
    parser.add_argument("--title", default="")
    parser.add_argument("commands", nargs="+")
    args = parser.parse_args()
    commands = [c.split("=", 1) for c in args.commands]
    cold = args.mode == "cold"
    times = {name: [] for name, _ in commands}
    missed = {name: 0 for name, _ in commands}
    load_before = load()
    for round_number in range(args.runs):
        turn = round_number % len(commands)
        for name, command in commands[turn:] + commands[:turn]:
            prepare(args.master, args.run, cold)
            start = time.perf_counter()
            subprocess.run(command, shell=True, cwd=args.run, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            times[name].append(time.perf_counter() - start)
            missed[name] = max(missed[name], untouched(args.run))
    shutil.rmtree(args.run, ignore_errors=True)

    floor_name = commands[0][0]
    median = {name: statistics.median(t) for name, t in times.items()}
    print(f"\n{args.title}, {args.mode} cache, median of {args.runs} "
          f"(load {load_before} before, {load()} after)")
    print(f"{'tool':<14}{'median s':>10}{'min s':>9}{'max s':>9}{'x floor':>9}")
    for name, t in times.items():
        note = f"  ({missed[name]} files left unrenamed)" if missed[name] else ""
        print(f"{name:<14}{median[name]:>10.3f}{min(t):>9.3f}{max(t):>9.3f}"
              f"{median[name] / median[floor_name]:>9.2f}{note}")
    if "stampel" in median:
        ratio = median["stampel"] / median[floor_name]
        goal = 0.6 if cold else 1.1
        print(f"stampel / floor = {ratio:.2f} (goal: at most {goal}) "
              f"{'met' if ratio <= goal else 'NOT met'}")
        if "floor+journal" in median:
            print(f"stampel / floor+journal = "
                  f"{median['stampel'] / median['floor+journal']:.2f}")
        if "before" in median:
            print(f"before / floor = {median['before'] / median[floor_name]:.2f}, "
                  f"stampel / before = {median['stampel'] / median['before']:.2f}")
        if cold:
            for other in ("jhead", "exiv2"):
                if other in median:
                    faster = median["stampel"] < median[other]
                    print(f"stampel / {other} = {median['stampel'] / median[other]:.2f} "
                          f"(goal: below 1) {'met' if faster else 'NOT met'}")
    sys.stdout.flush()


if __name__ == "__main__":
    main()
