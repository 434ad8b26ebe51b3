# Assembles the Windows package from a built tree (the windows preset's build runs it as its
# target windows_package): BUILD/skyvane-windows/ (skyvane.exe, stripped, beside Resources/, the
# player's README.txt and THIRD-PARTY-NOTICES.txt) and BUILD/skyvane-windows.zip.
# Byte-reproducible: file times are the commit's (or SOURCE_DATE_EPOCH), modes fixed, the zip's
# entries sorted. A failed run leaves the previous package in place.
#   cmake -DBUILD=BUILD -P tools/windows/package.cmake
set(package skyvane-windows)
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(NOT epoch)
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY "${CMAKE_CURRENT_LIST_DIR}"
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "no commit date from git (not a checkout?): set SOURCE_DATE_EPOCH to the file time, in seconds")
endif()

# Assembled beside the build, then swapped in whole.
set(stage "${BUILD}/package")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}/${package}")
# Modes and times as well as contents go into the zip; the umask and the clock must not.
set(readable OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(runnable ${readable} OWNER_EXECUTE GROUP_EXECUTE WORLD_EXECUTE)
file(COPY "${BUILD}/bin/Resources" "${BUILD}/bin/README.txt" "${BUILD}/bin/THIRD-PARTY-NOTICES.txt"
     DESTINATION "${stage}/${package}" FILE_PERMISSIONS ${readable} DIRECTORY_PERMISSIONS ${runnable})
# strip writes a time stamp into the PE header again, the current time or this one.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env SOURCE_DATE_EPOCH=0 x86_64-w64-mingw32-strip
                        -o "${stage}/${package}/skyvane.exe" "${BUILD}/bin/skyvane.exe" COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD "${stage}/${package}/skyvane.exe" "${stage}/${package}" PERMISSIONS ${runnable})
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${stage}" "${stage}/${package}/*")
execute_process(COMMAND touch --no-dereference --date=@${epoch} ${package} ${entries}
                WORKING_DIRECTORY "${stage}" COMMAND_ERROR_IS_FATAL ANY)
# Files in byte order. -X: no owner ids or extra time fields; -D: no folder entries. Zip stores local time.
file(GLOB_RECURSE files RELATIVE "${stage}" "${stage}/${package}/*")
list(SORT files)
list(JOIN files "\n" listing)
file(WRITE "${stage}/files.txt" "${listing}\n")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC zip -qX -D -9 "${package}.zip" -@
                INPUT_FILE "${stage}/files.txt" WORKING_DIRECTORY "${stage}" COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${BUILD}/${package}" "${BUILD}/${package}.zip")
file(RENAME "${stage}/${package}" "${BUILD}/${package}")
file(RENAME "${stage}/${package}.zip" "${BUILD}/${package}.zip")
file(REMOVE_RECURSE "${stage}")

file(SIZE "${BUILD}/bin/skyvane.exe" unstripped)
file(SIZE "${BUILD}/${package}/skyvane.exe" stripped)
file(SIZE "${BUILD}/${package}.zip" zipped)
message("skyvane.exe ${unstripped} bytes unstripped, ${stripped} stripped; ${package}.zip ${zipped} bytes")
