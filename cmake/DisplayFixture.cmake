# The window tests' X server as a CTest fixture: the first test that needs it starts a private
# Xvfb (tools/ci/xvfb-fixture.sh), the end of the last one stops it, so `ctest` runs every
# window test from a terminal without a display too. A test reaches the server by starting
# its command with SKYVANE_ON_DISPLAY and declaring skyvane_needs_display(test...).
set(SKYVANE_DISPLAY_STATE "${PROJECT_BINARY_DIR}/xvfb")
set(SKYVANE_ON_DISPLAY "${PROJECT_SOURCE_DIR}/tools/ci/xvfb-fixture.sh" run "${SKYVANE_DISPLAY_STATE}")
# As test properties: the fixture, and one test at a time on the one display.
set(SKYVANE_DISPLAY_TEST_PROPERTIES FIXTURES_REQUIRED x_display RESOURCE_LOCK x_display)

add_test(NAME xvfb_start COMMAND "${PROJECT_SOURCE_DIR}/tools/ci/xvfb-fixture.sh" start "${SKYVANE_DISPLAY_STATE}")
add_test(NAME xvfb_stop COMMAND "${PROJECT_SOURCE_DIR}/tools/ci/xvfb-fixture.sh" stop "${SKYVANE_DISPLAY_STATE}")
set_tests_properties(xvfb_start PROPERTIES FIXTURES_SETUP x_display)
set_tests_properties(xvfb_stop PROPERTIES FIXTURES_CLEANUP x_display)

# Added to the tests' other fixtures and locks.
function(skyvane_needs_display)
  set_property(TEST ${ARGN} APPEND PROPERTY FIXTURES_REQUIRED x_display)
  set_property(TEST ${ARGN} APPEND PROPERTY RESOURCE_LOCK x_display)
endfunction()
