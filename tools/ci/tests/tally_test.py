"""tools/ci/tally.py decides whether the test command passed: counts from ctest's JUnit files."""

import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

TALLY = Path(__file__).resolve().parent.parent / "tally.py"


def junit(folder, name, *cases):
    """A JUnit file as ctest writes it; each case is (status, child element or '')."""
    body = "".join(f'<testcase name="t{i}" status="{status}">{child}</testcase>'
                   for i, (status, child) in enumerate(cases))
    path = Path(folder) / name
    path.write_text(f'<?xml version="1.0" encoding="UTF-8"?><testsuite>{body}</testsuite>')
    return path


def pytest_junit(folder, entry, *outcomes):
    """pytest's JUnit file for the ctest entry; each outcome is a child element or '' for a pass."""
    body = "".join(f'<testcase classname="m" name="c{i}">{child}</testcase>' for i, child in enumerate(outcomes))
    path = Path(folder) / "pytest-results" / f"{entry}.xml"
    path.parent.mkdir(exist_ok=True)
    path.write_text(f'<?xml version="1.0" encoding="utf-8"?><testsuites><testsuite>{body}</testsuite></testsuites>')


def tally(*parts):
    done = subprocess.run([sys.executable, "-B", str(TALLY), *parts], capture_output=True, text=True)
    return done.returncode, done.stdout.splitlines()


PASSED = ("run", "")
FAILED = ("fail", '<failure message=""/>')
SKIPPED = ("notrun", '<skipped message="SKIP_RETURN_CODE=77"/>')
FIXTURE_FAILED = ("notrun", '<skipped message="Fixture dependency failed"/>')


class Tally(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()

    def test_cases_passed_in_every_part_pass(self):
        results = junit(self.folder, "a.xml", PASSED, PASSED)
        code, lines = tally("format:0", f"release:0:{results}")
        self.assertEqual(code, 0)
        self.assertEqual(lines, ["format: 1 passed, 0 failed, 0 skipped", "release: 2 passed, 0 failed, 0 skipped",
                                 "total: 3 passed, 0 failed, 0 skipped"])

    def test_a_skipped_case_fails_the_run(self):
        code, lines = tally(f"release:0:{junit(self.folder, 'a.xml', PASSED, SKIPPED)}")
        self.assertEqual((code, lines[-1]), (1, "total: 1 passed, 0 failed, 1 skipped"))

    def test_cases_whose_fixture_failed_did_not_run(self):
        results = junit(self.folder, "a.xml", FAILED, FIXTURE_FAILED, FIXTURE_FAILED)
        code, lines = tally(f"release:8:{results}")
        self.assertEqual((code, lines[-1]), (1, "total: 0 passed, 1 failed, 2 skipped"))

    def test_a_failed_ctest_without_a_failed_case_is_one_failure(self):
        code, lines = tally(f"asan:8:{junit(self.folder, 'a.xml', PASSED)}")
        self.assertEqual((code, lines[-1]), (1, "total: 1 passed, 1 failed, 0 skipped"))

    def test_no_results_at_all_is_no_pass(self):
        code, lines = tally(f"windows:0:{Path(self.folder) / 'missing.xml'}")
        self.assertEqual((code, lines[-1]), (1, "total: 0 passed, 0 failed, 0 skipped"))

    def test_a_part_without_results_is_judged_by_its_status(self):
        code, lines = tally("format:1")
        self.assertEqual((code, lines[0]), (1, "format: 0 passed, 1 failed, 0 skipped"))

    def test_an_entry_that_ran_pytest_counts_pytest_cases(self):
        results = junit(self.folder, "a.xml", PASSED, PASSED)
        pytest_junit(self.folder, "t1", "", '<failure message=""/>', '<error message=""/>', '<skipped message=""/>', "")
        code, lines = tally(f"release:8:{results}")
        self.assertEqual((code, lines[-1]), (1, "total: 3 passed, 2 failed, 1 skipped"))

    def test_an_entry_that_failed_with_no_failed_pytest_case_is_one_failure(self):
        # Killed at its timeout, pytest left the report of an earlier run.
        results = junit(self.folder, "a.xml", PASSED, FAILED)
        pytest_junit(self.folder, "t1", "", "")
        code, lines = tally(f"release:8:{results}")
        self.assertEqual((code, lines[-1]), (1, "total: 3 passed, 1 failed, 0 skipped"))

    def test_an_entry_that_did_not_run_is_skipped_whatever_pytest_left(self):
        results = junit(self.folder, "a.xml", PASSED, FIXTURE_FAILED)
        pytest_junit(self.folder, "t1", "", "")
        code, lines = tally(f"release:8:{results}")
        self.assertEqual((code, lines[-1]), (1, "total: 1 passed, 1 failed, 1 skipped"))


if __name__ == "__main__":
    unittest.main()
