#!/usr/bin/env python3
"""Times whole commands side by side, taking turns: round after round, each command runs once, so that the
slow and fast spells of a shared machine (on these virtual machines fresh memory costs from 0.1 to 2 ms per MB
from one minute to the next) fall on every command alike. Prints each command's median, mean and fastest
wall time, each median divided by the first command's, and the same median ratio of processor time (user and
system, all threads), which other work on the machine disturbs less.

usage: bench/interleaved_runs.py ROUNDS 'COMMAND 1' 'COMMAND 2' ...   (each command one shell-quoted string)
"""
import resource
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
    cpu = [[] for _ in commands]
    for _ in range(rounds):
        for i, command in enumerate(commands):
            before = resource.getrusage(resource.RUSAGE_CHILDREN)
            start = time.perf_counter()
            subprocess.run(shlex.split(command), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
            times[i].append(time.perf_counter() - start)
            after = resource.getrusage(resource.RUSAGE_CHILDREN)
            cpu[i].append(after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime)
    first, first_cpu = statistics.median(times[0]), statistics.median(cpu[0])
    print(f"{rounds} rounds; wall ms: median, mean, fastest; median / first command's median; "
          f"processor ms: median, median / first command's median")
    for command, t, c in zip(commands, times, cpu):
        median, median_cpu = statistics.median(t), statistics.median(c)
        print(f"{median * 1000:8.1f} {statistics.mean(t) * 1000:8.1f} {min(t) * 1000:8.1f} {median / first:7.2f}x "
              f"{median_cpu * 1000:8.1f} {median_cpu / first_cpu:7.2f}x  {command}")


if __name__ == "__main__":
    main()
