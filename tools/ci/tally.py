"""The test command's closing lines: one per part, then a total, of the cases ctest and pytest counted.

  tally.py PART:STATUS[:JUNIT]...

A part with a JUnit file (ctest --output-junit) counts its cases: one ctest did not run (its
fixture failed, say) as skipped, and a failed ctest with no failed case as one failure. A ctest
entry that ran pytest counts pytest's cases instead, from pytest-results/ENTRY.xml beside the
JUnit file (pytest --junitxml), and once more as a failure if it failed with none failed there.
A part without a JUnit file is a single check, judged by its exit status. Exits 1 unless every
case passed: a skip while the display is up is a check that did not run.
"""

import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path


def ctest_case(case):
    """passed, failed, skipped of one ctest entry"""
    if case.find("skipped") is not None:
        return [0, 0, 1]
    if case.get("status") == "run" and case.find("failure") is None:
        return [1, 0, 0]
    return [0, 1, 0]


def pytest_cases(results):
    totals = [0, 0, 0]
    for case in ElementTree.parse(results).getroot().iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            totals[1] += 1
        elif case.find("skipped") is not None:
            totals[2] += 1
        else:
            totals[0] += 1
    return totals


def counts(status, junit):
    """passed, failed, skipped"""
    if junit is None:
        return [1, 0, 0] if status == 0 else [0, 1, 0]
    totals = [0, 0, 0]
    cases = ElementTree.parse(junit).getroot().iter("testcase") if Path(junit).exists() else []
    for case in cases:
        entry = ctest_case(case)
        results = Path(junit).parent / "pytest-results" / f"{case.get('name')}.xml"
        if case.find("skipped") is None and results.exists():
            cases_run = pytest_cases(results)
            entry = [cases_run[0], max(cases_run[1], entry[1]), cases_run[2]]
        totals = [total + count for total, count in zip(totals, entry)]
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
