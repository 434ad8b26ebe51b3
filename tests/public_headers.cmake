# cocos2d.h must compile with the engine's public include folder alone (no GL loader, no GLFW,
# no FreeType) and pull in none of the engine's internal headers.
#   cmake -DCXX=<compiler> -DENGINE=<engine folder> -DDEFINES=<platform macro> -P public_headers.cmake
execute_process(
  COMMAND "${CXX}" -std=c++17 -I "${ENGINE}" -D${DEFINES} -M -x c++ "${ENGINE}/cocos2d.h"
  RESULT_VARIABLE result OUTPUT_VARIABLE dependencies ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cocos2d.h needs more than the public headers:\n${errors}")
endif()
string(REGEX MATCHALL "${ENGINE}/[^ \\\n]*(internal/|CCMouseInput|CCRunLoop|CCRenderer|CCFontAtlas|CCSpriteAtlas|CCShelfPacker|CCFontFace|CCFramePacer|CCStatsDisplay)[^ \\\n]*"
       leaked "${dependencies}")
if(leaked)
  list(JOIN leaked "\n  " report)
  message(FATAL_ERROR "cocos2d.h includes the engine's internals:\n  ${report}")
endif()
