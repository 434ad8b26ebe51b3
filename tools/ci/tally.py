"""The test command's closing lines: one per part, then a total, of the cases ctest counted.

  tally.py PART:STATUS[:JUNIT]...

A part with a JUnit file (ctest --output-junit) counts its cases: one ctest did not run (its
fixture failed, say) as skipped, and a failed ctest with no failed case as one failure. A part
without one is a single check, judged by its exit status. Exits 1 unless every case passed:
a skip while the display is up is a check that did not run.
"""

import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path


def counts(status, junit):
    """passed, failed, skipped"""
    if junit is None:
        return [1, 0, 0] if status == 0 else [0, 1, 0]
    totals = [0, 0, 0]
    cases = ElementTree.parse(junit).getroot().iter("testcase") if Path(junit).exists() else []
    for case in cases:
        if case.find("skipped") is not None:
            totals[2] += 1
        elif case.get("status") == "run" and case.find("failure") is None:
            totals[0] += 1
        else:
            totals[1] += 1
    if status != 0 and totals[1] == 0:
        totals[1] = 1
    return totals


def main(parts):
    total = [0, 0, 0]
    for part in parts:
        name, status, *junit = part.split(":", 2)
        passed, failed, skipped = counts(int(status), junit[0] if junit else None)
        print(f"{name}: {passed} passed, {failed} failed, {skipped} skipped")
        total = [total[0] + passed, total[1] + failed, total[2] + skipped]
    print(f"total: {total[0]} passed, {total[1]} failed, {total[2]} skipped")
    return 0 if total[1] == 0 and total[2] == 0 and total[0] > 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
