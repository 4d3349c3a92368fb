#!/usr/bin/env python3
"""Times floppwright-image making one diskette image (`make bench`).

    image_time.py TOOL CD_TREE WORK_DIR

Prints the median of 21 runs of the largest image (the hard drive's Windows
diskette, with its Drivers folder) against the 50 ms target; asserts
nothing. The time includes starting the process, reading the sources and
writing the 1.44 MB file. TOOL is the optimised build without sanitizers
(build/native-optimised/diskette_maker/floppwright-image, the native-optimised
preset).
"""

import os
import resource
import statistics
import subprocess
import sys
import time


def main():
    tool, cd, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    out = os.path.join(work, "bench.img")
    args = [tool, "--cd", cd, "--product", "hd", "--variant", "windows", "--language", "en",
            "-o", out]
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL)    # warm the file cache
    times, cpu = [], []
    for _ in range(21):
        used = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter()
        subprocess.run(args, check=True, stdout=subprocess.DEVNULL)
        times.append((time.perf_counter() - start) * 1000)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu.append((after.ru_utime + after.ru_stime - used.ru_utime - used.ru_stime) * 1000)
    median = statistics.median(times)
    print("one image, median of 21 runs: %.1f ms against the 50 ms target: %.2fx"
          % (median, median / 50))
    print("of which processor time (user and system): %.1f ms; the rest is waiting for a core"
          % statistics.median(cpu))


if __name__ == "__main__":
    main()
