"""Counts test cases for the test command's closing lines, one line per part.

A case is a GoogleTest case where a program prints GoogleTest's summary, a window script's
verdict line ("NAME: passed"), or else the program itself, judged by how it ended.

  tally.py FILE add PART --junit RESULTS.xml [--status CODE]   a ctest run (ctest --output-junit)
  tally.py FILE add PART --log LOG --status CODE   one command's output and exit code
  tally.py FILE report                             "PART: N passed, N failed, N skipped" lines, then a total
"""

import argparse
import json
import re
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

GTEST = re.compile(r"^\[  (PASSED|FAILED|SKIPPED) +\] (\d+) tests?[.,]", re.MULTILINE)
SCRIPT = re.compile(r"^[\w.-]+: (passed|\d+ check\(s\) failed)$", re.MULTILINE)


def count_output(output, ended_well):
    """passed, failed, skipped for one program's output and how it ended."""
    counts = {"PASSED": 0, "FAILED": 0, "SKIPPED": 0}
    for kind, number in GTEST.findall(output):
        counts[kind] += int(number)
    for verdict in SCRIPT.findall(output):
        counts["PASSED" if verdict == "passed" else "FAILED"] += 1
    passed, failed, skipped = counts["PASSED"], counts["FAILED"], counts["SKIPPED"]
    if passed + failed + skipped == 0:
        return (1, 0, 0) if ended_well else (0, 1, 0)
    if not ended_well and failed == 0:
        # Every case passed, then the program failed anyway: a sanitizer report at exit, say.
        failed = 1
    return passed, failed, skipped


def from_junit(path):
    totals = [0, 0, 0]
    for case in ElementTree.parse(path).getroot().iter("testcase"):
        output = case.findtext("system-out") or ""
        if case.find("skipped") is not None or case.get("status") == "notrun":
            counts = (0, 0, 1) if case.find("skipped") is not None else (0, 1, 0)
        else:
            counts = count_output(output, case.get("status") == "run" and case.find("failure") is None)
        totals = [a + b for a, b in zip(totals, counts)]
    return totals


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("file", type=Path)
    commands = parser.add_subparsers(dest="command", required=True)
    add = commands.add_parser("add")
    add.add_argument("part")
    add.add_argument("--junit", type=Path)
    add.add_argument("--log", type=Path)
    add.add_argument("--status", type=int, default=0)
    commands.add_parser("report")
    args = parser.parse_args()

    if args.command == "add":
        if args.junit:
            counts = from_junit(args.junit) if args.junit.exists() else [0, 0, 0]
            if args.status != 0 and counts[1] == 0:
                counts[1] = 1  # ctest itself failed, or wrote no results
        else:
            output = args.log.read_text(errors="replace") if args.log and args.log.exists() else ""
            counts = count_output(output, args.status == 0)
        with args.file.open("a") as tally:
            tally.write(json.dumps({"part": args.part, "counts": list(counts)}) + "\n")
        return 0

    parts = {}
    for line in args.file.read_text().splitlines() if args.file.exists() else []:
        entry = json.loads(line)
        parts[entry["part"]] = [a + b for a, b in zip(parts.get(entry["part"], [0, 0, 0]), entry["counts"])]
    total = [0, 0, 0]
    for part, (passed, failed, skipped) in parts.items():
        print(f"{part}: {passed} passed, {failed} failed, {skipped} skipped")
        total = [total[0] + passed, total[1] + failed, total[2] + skipped]
    print(f"total: {total[0]} passed, {total[1]} failed, {total[2]} skipped")
    # A skip while the display is up is a check that did not run: the run has not passed.
    return 0 if total[1] == 0 and total[2] == 0 and total[0] > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
