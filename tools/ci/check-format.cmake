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
set(differing "")
foreach(file IN LISTS files)
  if(file)
    execute_process(COMMAND ${formatter} --dry-run --Werror "${file}" WORKING_DIRECTORY "${SOURCE_DIR}"
                    RESULT_VARIABLE differs OUTPUT_QUIET ERROR_QUIET)
    if(differs)
      string(APPEND differing "\n  ${file}")
    endif()
  endif()
endforeach()
if(differing)
  message(FATAL_ERROR "files differ from .clang-format (clang-format -i to fix):${differing}")
endif()
message("format: all tracked C/C++ sources match .clang-format")
