# The two texts the Windows package carries beside skyvane.exe, with Windows line ends:
# README.txt for players, and THIRD-PARTY-NOTICES.txt for the libraries linked into the exe.
# Their licences ask for their notices in every copy (FreeType's also for a credit in the
# documentation), so each notice is the debian/copyright of the very source package the build
# used, with its version: GLFW, FreeType and libpng as tools/windows/build-deps.cmake built them
# into SKYVANE_WIN_DEPS; zlib, the MinGW-w64 runtime (libwinpthread) and GCC's runtime (libstdc++
# and libgcc, linked in by -static under the GCC Runtime Library Exception) as Debian installed them.
include("${CMAKE_CURRENT_LIST_DIR}/WindowsText.cmake")

function(_skyvane_notice out title source_line copyright_file)
  if(NOT EXISTS "${copyright_file}")
    message(FATAL_ERROR "No licence notice for ${title}: ${copyright_file} is missing")
  endif()
  file(READ "${copyright_file}" text)
  string(APPEND ${out} "\n==============================================================================\n"
         "${title}\nDebian source package: ${source_line}\n"
         "==============================================================================\n\n${text}")
  set(${out} "${${out}}" PARENT_SCOPE)
endfunction()

# A library built from source by build-deps.cmake: its notice and "PACKAGE VERSION" line.
function(_skyvane_built_notice out title name)
  set(doc "${SKYVANE_WIN_DEPS}/share/doc/${name}")
  if(NOT EXISTS "${doc}/source")
    message(FATAL_ERROR "${doc}/source is missing: rebuild the dependencies (tools/windows/build-deps.cmake)")
  endif()
  file(STRINGS "${doc}/source" source_line LIMIT_COUNT 1)
  _skyvane_notice(${out} "${title}" "${source_line}" "${doc}/copyright")
  set(${out} "${${out}}" PARENT_SCOPE)
endfunction()

# A library from an installed Debian package of the cross toolchain.
function(_skyvane_installed_notice out title package)
  execute_process(COMMAND dpkg-query -W "-f=\${source:Package} \${source:Version}" ${package}
                  OUTPUT_VARIABLE source_line RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "The Debian package ${package} is not installed (see README)")
  endif()
  _skyvane_notice(${out} "${title}" "${source_line}" "/usr/share/doc/${package}/copyright")
  set(${out} "${${out}}" PARENT_SCOPE)
endfunction()

function(skyvane_windows_texts destination)
  set(readme_source "${PROJECT_SOURCE_DIR}/proj.win32/README.txt")
  set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${readme_source}")
  file(READ "${readme_source}" readme)
  skyvane_write_windows_text("${destination}/README.txt" "${readme}")

  # FreeType's licence asks for this credit with the year of the version used.
  file(STRINGS "${SKYVANE_WIN_DEPS}/share/doc/freetype/copyright" freetype_years
       REGEX "^Copyright: [0-9]+-[0-9]+ David Turner" LIMIT_COUNT 1)
  if(NOT freetype_years MATCHES "-([0-9]+) ")
    message(FATAL_ERROR "No year of FreeType's copyright in ${SKYVANE_WIN_DEPS}/share/doc/freetype/copyright")
  endif()
  set(notices "Skyvane for Windows: notices of the libraries linked into skyvane.exe.\n\n")
  string(APPEND notices "Portions of this software are copyright (C) ${CMAKE_MATCH_1} The FreeType Project "
         "(www.freetype.org).\nAll rights reserved.\n\n"
         "The fonts in Resources/fonts/ carry their licences beside them. The licence texts these\n"
         "notices refer to follow them at the end of this file.\n")
  _skyvane_built_notice(notices "FreeType, font rendering" freetype)
  _skyvane_built_notice(notices "libpng, image decoding" libpng)
  _skyvane_installed_notice(notices "zlib, compression" libz-mingw-w64-dev)
  _skyvane_built_notice(notices "GLFW, window, input and OpenGL context" glfw)
  _skyvane_installed_notice(notices "MinGW-w64 runtime, including libwinpthread" mingw-w64-x86-64-dev)
  # libgcc comes from gcc-mingw-w64-x86-64-posix, built from the same source with the same notice.
  _skyvane_installed_notice(notices "GCC runtime: libstdc++ and libgcc, under the GCC Runtime Library Exception"
                            g++-mingw-w64-x86-64-posix)
  skyvane_write_windows_text("${destination}/THIRD-PARTY-NOTICES.txt" "${notices}")
endfunction()
