"""The test command (./skyvane test): every preset built, then every check run.

The presets' builds go one after the other (`cmake --workflow --preset NAME`), since each keeps
both cores busy. Their checks mostly wait on windows and frames, so `ctest --preset` release,
asan, fuzz (a short run) and windows (under Wine) run side by side, each into its own log. Ends
with the stage times and tally.py's lines; fails on any failure, and on any skip, as the display
fixture is up.
"""

import os
import shutil
import subprocess
import sys
import time
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

import tally

PRESETS = ["release", "asan", "fuzz", "windows"]


def timed(command, **options):
    """exit status and seconds taken"""
    begun = time.monotonic()
    status = subprocess.run(command, check=False, **options).returncode
    return status, round(time.monotonic() - begun)


def checks(preset, results):
    """runs one preset's ctest into its log; its exit status and seconds"""
    Path("build", preset, "test-results.xml").unlink(missing_ok=True)
    with open(results / f"{preset}.log", "wb") as log:
        return timed(["ctest", "--preset", preset], stdout=log, stderr=subprocess.STDOUT)


def main():
    os.chdir(Path(__file__).resolve().parents[2])
    # ./skyvane kept Python from changing a C locale for the checks; their own Python may.
    os.environ.pop("PYTHONCOERCECLOCALE", None)
    os.environ.setdefault("SKYVANE_MONKEY_SEED", "1")
    os.environ.setdefault("SKYVANE_FUZZ_SECONDS", "10")
    print(f"monkey seed: {os.environ['SKYVANE_MONKEY_SEED']} (SKYVANE_MONKEY_SEED to change); "
          f"fuzzing: {os.environ['SKYVANE_FUZZ_SECONDS']} s a target", flush=True)
    results = Path("build", "test-results")
    shutil.rmtree(results, ignore_errors=True)
    results.mkdir(parents=True)
    started = time.monotonic()
    stages = []

    for preset in PRESETS:
        print(f"== {preset} build", flush=True)
        status, seconds = timed(["cmake", "--workflow", "--preset", preset])
        if status != 0:
            print(f"== {preset} build failed (exit {status})", flush=True)
            return 1
        stages.append(f"{preset} build: {seconds} s")

    print(f"== checks, side by side: {', '.join(PRESETS)}", flush=True)
    with ThreadPoolExecutor(len(PRESETS)) as pool:
        runs = {preset: pool.submit(checks, preset, results) for preset in PRESETS}
    parts = []
    for preset, run in runs.items():
        status, seconds = run.result()
        print(f"== {preset} ({seconds} s, exit {status})", flush=True)
        sys.stdout.buffer.write((results / f"{preset}.log").read_bytes())
        stages.append(f"{preset} checks: {seconds} s")
        parts.append(f"{preset}:{status}:build/{preset}/test-results.xml")

    print("\n== stage times")
    for stage in stages + [f"whole run: {round(time.monotonic() - started)} s"]:
        print(f"  {stage}")
    print(flush=True)
    return tally.main(parts)


if __name__ == "__main__":
    sys.exit(main())
