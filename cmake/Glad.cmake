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

# GL_ARB_ES2_compatibility for glReleaseShaderCompiler: the renderer builds its one program,
# then lets the driver free its compiler. The folder is named after the arguments, so a
# build folder made with other ones generates the loader afresh.
set(GLAD_ARGUMENTS --api gl:compatibility=2.1 --extensions GL_ARB_ES2_compatibility)
string(MD5 glad_key "${GLAD_ARGUMENTS}")
string(SUBSTRING "${glad_key}" 0 8 glad_key)
set(GLAD_OUT "${CMAKE_CURRENT_BINARY_DIR}/glad-${glad_key}")
if(NOT EXISTS "${GLAD_OUT}/src/gl.c")
  execute_process(
    COMMAND "${GLAD_PYTHON}" -m glad ${GLAD_ARGUMENTS} --out-path "${GLAD_OUT}" --reproducible --quiet c
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
