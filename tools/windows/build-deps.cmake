# Builds the static Windows libraries the game links (GLFW, FreeType, libpng; zlib comes
# ready-made from libz-mingw-w64-dev) and GoogleTest for its tests from Debian's source packages
# (fetched by fetch-sources.sh, no root needed) with cmake/mingw-w64-x86_64.cmake, into a prefix
# cached per version of this file and the toolchain file. The toolchain file includes it:
#   skyvane_windows_deps(VARIABLE)   sets VARIABLE to the prefix, building it first if needed
# Cache root: $SKYVANE_CACHE, default ~/.cache/skyvane. Safe to run twice and concurrently: a
# finished prefix is reused, a half-built one is rebuilt.

set(_skyvane_deps_script "${CMAKE_CURRENT_LIST_FILE}")

function(skyvane_windows_deps out)
  get_filename_component(here "${_skyvane_deps_script}" DIRECTORY)
  get_filename_component(toolchain "${here}/../../cmake/mingw-w64-x86_64.cmake" ABSOLUTE)
  # ./skyvane installs them; this runs inside CMake's configure, which only looks.
  execute_process(COMMAND bash -c "source \"$0\" && require_packages windows" "${here}/../lib/packages.sh"
                  COMMAND_ERROR_IS_FATAL ANY)

  set(cache "$ENV{SKYVANE_CACHE}")
  if(NOT cache)
    set(cache "$ENV{HOME}/.cache/skyvane")
  endif()
  file(READ "${_skyvane_deps_script}" recipe)
  file(READ "${toolchain}" toolchain_text)
  string(SHA256 key "${recipe}${toolchain_text}")
  string(SUBSTRING "${key}" 0 12 key)
  set(prefix "${cache}/mingw-deps-${key}")
  set(${out} "${prefix}" PARENT_SCOPE)
  if(EXISTS "${prefix}/.complete")
    return()
  endif()
  file(MAKE_DIRECTORY "${cache}")
  file(LOCK "${prefix}.lock" GUARD FUNCTION TIMEOUT 3600)
  if(EXISTS "${prefix}/.complete") # another run finished it while we waited
    return()
  endif()

  set(log "${prefix}.log")
  file(WRITE "${log}" "")
  string(TIMESTAMP started %s)
  message(STATUS "Windows dependencies: fetching Debian source packages into ${cache}")
  execute_process(COMMAND "${here}/fetch-sources.sh" "${cache}" glfw3 libpng1.6 freetype googletest
                  OUTPUT_VARIABLE dsc OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  string(REPLACE "\n" ";" dsc "${dsc}")
  list(LENGTH dsc fetched)
  if(NOT fetched EQUAL 4)
    message(FATAL_ERROR "fetch-sources.sh gave ${fetched} source packages, not 4")
  endif()
  list(GET dsc 0 glfw_dsc)
  list(GET dsc 1 libpng_dsc)
  list(GET dsc 2 freetype_dsc)
  list(GET dsc 3 googletest_dsc)

  file(REMOVE_RECURSE "${prefix}")
  file(MAKE_DIRECTORY "${prefix}")
  string(RANDOM LENGTH 6 suffix)
  set(work "${cache}/build.${suffix}")
  file(MAKE_DIRECTORY "${work}")
  # zlib: FindZLIB picks the static libz.a of libz-mingw-w64-dev from the sysroot.
  _skyvane_build_dep(libpng "${libpng_dsc}" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF)
  _skyvane_build_dep(freetype "${freetype_dsc}" -DFT_REQUIRE_ZLIB=ON -DFT_REQUIRE_PNG=ON
                     -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_BZIP2=ON)
  _skyvane_build_dep(glfw "${glfw_dsc}" -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF)
  _skyvane_build_dep(googletest "${googletest_dsc}" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON)
  file(REMOVE_RECURSE "${work}")
  file(TOUCH "${prefix}/.complete")
  string(TIMESTAMP now %s)
  math(EXPR took "${now} - ${started}")
  message(STATUS "Windows dependencies: built in ${took} s into ${prefix}")
endfunction()

# _skyvane_build_dep(NAME DSC CMAKE_OPTION...), in the caller's work, prefix and log.
function(_skyvane_build_dep name dsc)
  get_filename_component(source_file "${dsc}" NAME)
  message(STATUS "Windows dependencies: building ${name} from ${source_file}")
  _skyvane_dep_step(dpkg-source --no-check -x "${dsc}" "${work}/${name}")
  # The package's notices ship with the game: its licence terms, its source package and version.
  configure_file("${work}/${name}/debian/copyright" "${prefix}/share/doc/${name}/copyright" COPYONLY)
  file(STRINGS "${dsc}" fields REGEX "^(Source|Version): ")
  list(TRANSFORM fields REPLACE "^[A-Za-z]+: " "")
  list(JOIN fields " " source_line)
  file(WRITE "${prefix}/share/doc/${name}/source" "${source_line}\n")
  # The libraries' own paths must not reach the game: its exe is the same wherever this ran.
  set(path_maps "-ffile-prefix-map=${work}=/src -ffile-prefix-map=${prefix}=/deps")
  _skyvane_dep_step("${CMAKE_COMMAND}" -S "${work}/${name}" -B "${work}/${name}-build" -G Ninja
                    "-DCMAKE_TOOLCHAIN_FILE=${toolchain}" "-DSKYVANE_WIN_DEPS=${prefix}"
                    -DCMAKE_BUILD_TYPE=Release "-DCMAKE_INSTALL_PREFIX=${prefix}"
                    "-DCMAKE_C_FLAGS=${path_maps}" "-DCMAKE_CXX_FLAGS=${path_maps}" -DBUILD_SHARED_LIBS=OFF ${ARGN})
  _skyvane_dep_step("${CMAKE_COMMAND}" --build "${work}/${name}-build" --target install)
endfunction()

# One command of a build, its output in the log; a failure shows the end of it.
function(_skyvane_dep_step)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE failed)
  file(APPEND "${log}" "${output}")
  if(failed)
    file(REMOVE_RECURSE "${work}")
    string(LENGTH "${output}" length)
    set(last "${output}")
    if(length GREATER 3000)
      math(EXPR from "${length} - 3000")
      string(SUBSTRING "${output}" ${from} -1 last)
    endif()
    message(FATAL_ERROR "Windows dependency build failed: ${ARGN}\nthe end of its output (all in ${log}):\n${last}")
  endif()
endfunction()
