#!/usr/bin/env python3
"""Times whole commands side by side, taking turns: round after round, each command runs once, so that the
slow and fast spells of a shared machine (on these virtual machines fresh memory costs from 0.1 to 2 ms per MB
from one minute to the next) fall on every command alike. Prints each command's median, mean and fastest
wall time, and each median divided by the first command's.

usage: bench/interleaved_runs.py ROUNDS 'COMMAND 1' 'COMMAND 2' ...   (each command one shell-quoted string)
"""
import shlex
import statistics
import subprocess
import sys
import time


def main():
    if len(sys.argv) < 3 or not sys.argv[1].isdigit():
        sys.exit(__doc__)
    rounds, commands = int(sys.argv[1]), sys.argv[2:]
    times = [[] for _ in commands]
    for _ in range(rounds):
        for i, command in enumerate(commands):
            start = time.perf_counter()
            subprocess.run(shlex.split(command), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
            times[i].append(time.perf_counter() - start)
    first = statistics.median(times[0])
    print(f"{rounds} rounds; wall ms: median, mean, fastest; median / first command's median")
    for command, t in zip(commands, times):
        median = statistics.median(t)
        print(f"{median * 1000:8.1f} {statistics.mean(t) * 1000:8.1f} {min(t) * 1000:8.1f} {median / first:7.2f}x  {command}")


if __name__ == "__main__":
    main()
