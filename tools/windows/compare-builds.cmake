# The end of ./skyvane windows --check-reproducible: the packages of the presets reproducible-one
# and reproducible-two, built apart (folders of other depths, no ccache, from clean: a cache hit
# would hide a compiler that is not deterministic), must be the same bytes. Prints sizes and
# SHA-256 sums to compare with a downloaded zip.
#   cmake -DONE=BUILD -DTWO=BUILD -P tools/windows/compare-builds.cmake
set(failed FALSE)
foreach(file IN ITEMS skyvane-windows/skyvane.exe skyvane-windows.zip)
  file(SHA256 "${ONE}/${file}" first)
  file(SHA256 "${TWO}/${file}" second)
  file(SIZE "${ONE}/${file}" size)
  if(first STREQUAL second)
    message("same: ${file}, ${size} bytes, sha256 ${first}")
  else()
    message("DIFFERENT: ${file}")
    set(failed TRUE)
  endif()
endforeach()
if(failed)
  set(different "")
  file(GLOB_RECURSE files RELATIVE "${ONE}" "${ONE}/skyvane-windows/*")
  foreach(file IN LISTS files)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${ONE}/${file}" "${TWO}/${file}" RESULT_VARIABLE differs)
    if(differs)
      string(APPEND different "\n  ${file}")
    endif()
  endforeach()
  message(FATAL_ERROR "check-reproducible: FAILED; the package's files that differ:${different}")
endif()
message("check-reproducible: passed")
