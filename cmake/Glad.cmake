# Generates the OpenGL function loader at configure time from Debian's python3-glad,
# so nothing is downloaded and nothing generated is committed.
# python3-glad installs into the system interpreter; a python3 found first on PATH (pyenv, a
# venv) may lack it or carry an unrelated module of the same name.
if(EXISTS "/usr/bin/python3")
  set(GLAD_PYTHON "/usr/bin/python3")
else()
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(GLAD_PYTHON "${Python3_EXECUTABLE}")
endif()

set(GLAD_OUT "${CMAKE_CURRENT_BINARY_DIR}/glad")
if(NOT EXISTS "${GLAD_OUT}/src/gl.c")
  execute_process(
    COMMAND "${GLAD_PYTHON}" -m glad --api gl:compatibility=2.1 --out-path "${GLAD_OUT}" --reproducible --quiet c
    RESULT_VARIABLE glad_result
    OUTPUT_QUIET ERROR_VARIABLE glad_error)
  if(NOT glad_result EQUAL 0)
    message(FATAL_ERROR "Generating the GL loader failed (is python3-glad installed?):\n${glad_error}")
  endif()
endif()

# Named after the engine: a parent project may well have a loader target called glad.
add_library(cocos2d_glad STATIC "${GLAD_OUT}/src/gl.c")
target_include_directories(cocos2d_glad SYSTEM PUBLIC "${GLAD_OUT}/include")
set_target_properties(cocos2d_glad PROPERTIES POSITION_INDEPENDENT_CODE ON)
# Generated code: its warnings are not ours to fix.
target_compile_options(cocos2d_glad PRIVATE -w)
