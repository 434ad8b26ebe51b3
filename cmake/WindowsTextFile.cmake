# Writes the file SOURCE as TARGET for Windows (see WindowsText.cmake), at build time:
#   cmake -DSOURCE=... -DTARGET=... -P cmake/WindowsTextFile.cmake
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/WindowsText.cmake")
file(READ "${SOURCE}" text)
skyvane_write_windows_text("${TARGET}" "${text}")
