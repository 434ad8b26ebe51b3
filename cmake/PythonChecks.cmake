# The checks written in Python (tests/conftest.py has their fixtures) as ctest entries on the
# display fixture. Debian's python3 with pytest, pytest-timeout, Pillow and python-xlib; ./skyvane
# installs them, the build only looks for them.
set(SKYVANE_PYTHON3 /usr/bin/python3)
execute_process(COMMAND ${SKYVANE_PYTHON3} -c "import pytest, pytest_timeout, PIL, Xlib"
                RESULT_VARIABLE _skyvane_python_missing OUTPUT_QUIET ERROR_QUIET)
if(_skyvane_python_missing)
  message(FATAL_ERROR "The Python checks need Debian's python3-pytest, python3-pytest-timeout, python3-pil "
                      "and python3-xlib: ./skyvane test installs them, or as root: apt-get install "
                      "python3-pytest python3-pytest-timeout python3-pil python3-xlib")
endif()

# skyvane_pytest(NAME TIMEOUT PYTEST_ARGUMENTS...): one ctest entry running the checks the
# arguments select (files, FILE::check node ids, -k expressions), on the fixture's display.
# Each check is a case in pytest-results/NAME.xml, which the test command's tally counts.
function(skyvane_pytest name timeout)
  add_test(NAME ${name}
           COMMAND ${SKYVANE_ON_DISPLAY} ${SKYVANE_PYTHON3} -B -m pytest -c "${PROJECT_SOURCE_DIR}/tests/pytest.ini"
                   "--junitxml=${PROJECT_BINARY_DIR}/pytest-results/${name}.xml" -o junit_suite_name=${name}
                   "--artifacts=${PROJECT_BINARY_DIR}/pytest-failures/${name}" ${ARGN})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout})
  skyvane_needs_display(${name})
endfunction()
