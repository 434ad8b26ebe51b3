# Cross toolchain for the 64-bit Windows build (Debian's MinGW-w64, posix threads).
#
#   cmake --preset windows    (or -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
#
# Libraries are searched only in SKYVANE_WIN_DEPS (also read from the
# environment; by default tools/windows/build-deps.cmake's prefix) and in the
# MinGW sysroot, so a host library can never end up in a Windows link. Every executable is linked -static: no MinGW runtime DLLs to
# ship or to copy next to the exe under Wine.
#
# The GUI entry point is per target, not global: a game executable needs
#   set_target_properties(<exe> PROPERTIES WIN32_EXECUTABLE ON)   # -mwindows
#   target_link_options(<exe> PRIVATE -municode)                  # wWinMain
# (-municode here would break CMake's own link checks, which define main()).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SKYVANE_MINGW_TRIPLE x86_64-w64-mingw32)
set(SKYVANE_MINGW_SYSROOT /usr/${SKYVANE_MINGW_TRIPLE})

# Named explicitly: the unsuffixed names follow update-alternatives, which may
# select the win32 thread model (no std::thread, std::mutex).
set(CMAKE_C_COMPILER ${SKYVANE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SKYVANE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SKYVANE_MINGW_TRIPLE}-windres)

if(NOT SKYVANE_WIN_DEPS AND DEFINED ENV{SKYVANE_WIN_DEPS})
  set(SKYVANE_WIN_DEPS "$ENV{SKYVANE_WIN_DEPS}")
endif()
# Without a prefix given, the checkout's own, from tools/windows/build-deps.cmake: built from
# Debian's sources on first use (a few minutes), cached after. Its path follows the recipe's
# version; what an earlier configure found in another prefix is looked up again.
if(NOT SKYVANE_WIN_DEPS)
  include("${CMAKE_CURRENT_LIST_DIR}/../tools/windows/build-deps.cmake")
  skyvane_windows_deps(SKYVANE_WIN_DEPS)
  if(DEFINED CACHE{SKYVANE_WIN_DEPS_FOUND_IN} AND NOT SKYVANE_WIN_DEPS_FOUND_IN STREQUAL SKYVANE_WIN_DEPS)
    get_cmake_property(_skyvane_entries CACHE_VARIABLES)
    foreach(_skyvane_entry IN LISTS _skyvane_entries)
      string(FIND "$CACHE{${_skyvane_entry}}" "${SKYVANE_WIN_DEPS_FOUND_IN}/" _skyvane_at)
      if(_skyvane_at EQUAL 0)
        unset(${_skyvane_entry} CACHE)
      endif()
    endforeach()
  endif()
  set(SKYVANE_WIN_DEPS_FOUND_IN "${SKYVANE_WIN_DEPS}" CACHE INTERNAL "The dependency prefix of the last configure")
endif()
if(SKYVANE_WIN_DEPS AND NOT IS_DIRECTORY "${SKYVANE_WIN_DEPS}")
  message(FATAL_ERROR "SKYVANE_WIN_DEPS=${SKYVANE_WIN_DEPS} is not a directory; "
                      "unset, the toolchain builds its own")
endif()
# try_compile projects read this file again without the cache
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SKYVANE_WIN_DEPS)

set(CMAKE_FIND_ROOT_PATH ${SKYVANE_WIN_DEPS} ${SKYVANE_MINGW_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# LIBDIR replaces pkg-config's host search path; PKG_CONFIG_PATH would be
# searched before it, so it is cleared.
set(_skyvane_pc_dirs ${SKYVANE_MINGW_SYSROOT}/lib/pkgconfig)
if(SKYVANE_WIN_DEPS)
  list(PREPEND _skyvane_pc_dirs ${SKYVANE_WIN_DEPS}/lib/pkgconfig)
endif()
string(REPLACE ";" ":" _skyvane_pc_dirs "${_skyvane_pc_dirs}")
set(ENV{PKG_CONFIG_LIBDIR} "${_skyvane_pc_dirs}")
set(ENV{PKG_CONFIG_PATH} "")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# FindZLIB would pick the import library libz.dll.a before libz.a, and a full
# library path escapes -static: the exe would then need zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)
