# The format check, a ctest entry of the plain build: the tracked C and C++ sources against
# .clang-format with Debian's clang-format 14 (other versions format differently). Fails listing
# the files that differ; `clang-format -i FILE` formats one.
#   cmake -DSOURCE_DIR=CHECKOUT -P tools/ci/check-format.cmake
set(formatter /usr/bin/clang-format)
execute_process(COMMAND ${formatter} --version OUTPUT_VARIABLE version ERROR_QUIET)
if(NOT version MATCHES "version 14\\.")
  message(FATAL_ERROR "needs clang-format 14 at ${formatter} (Debian package clang-format; ./skyvane test installs it)")
endif()

execute_process(COMMAND git ls-files -- *.c *.cpp *.h WORKING_DIRECTORY "${SOURCE_DIR}"
                OUTPUT_VARIABLE files COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" files "${files}")
# One run for all files: a process per file costs ten times as long, beside the window checks.
execute_process(COMMAND ${formatter} --dry-run --Werror ${files} WORKING_DIRECTORY "${SOURCE_DIR}"
                RESULT_VARIABLE differs OUTPUT_QUIET ERROR_VARIABLE complaints)
if(differs)
  string(REGEX MATCHALL "[^\n]+:[0-9]+:[0-9]+: error:" places "${complaints}")
  list(TRANSFORM places REPLACE ":[0-9]+:[0-9]+: error:$" "")
  list(REMOVE_DUPLICATES places)
  if(NOT places)
    message(FATAL_ERROR "clang-format failed:\n${complaints}")
  endif()
  list(JOIN places "\n  " differing)
  message(FATAL_ERROR "files differ from .clang-format (clang-format -i to fix):\n  ${differing}")
endif()
message("format: all tracked C/C++ sources match .clang-format")
