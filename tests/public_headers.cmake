# What a consumer of the cocos2d target sees, with exactly the include folders the target
# exports: cocos2d.h compiles there without GL, GLFW or FreeType, and every private header of
# the engine (all of engine/src) cannot be included at all.
#   cmake -DCXX=<compiler> -DINCLUDES=<folders, |-separated> -DDEFINES=<platform macro>
#         -DPRIVATE_ROOT=<engine/src> -DWORK=<scratch folder> -P public_headers.cmake
string(REPLACE "|" ";" folders "${INCLUDES}")
set(flags -std=c++17 -fsyntax-only -D${DEFINES})
foreach(folder IN LISTS folders)
  list(APPEND flags -I "${folder}")
endforeach()
file(MAKE_DIRECTORY "${WORK}")

# Compiles one consumer source that includes `header`; sets `compiled` and `errors` in the caller.
function(consume header)
  string(MAKE_C_IDENTIFIER "${header}" name)
  set(source "${WORK}/${name}.cpp")
  file(WRITE "${source}" "#include \"${header}\"\nint main() { return 0; }\n")
  execute_process(COMMAND "${CXX}" ${flags} "${source}" RESULT_VARIABLE result ERROR_VARIABLE output OUTPUT_QUIET)
  if(result EQUAL 0)
    set(compiled TRUE PARENT_SCOPE)
  else()
    set(compiled FALSE PARENT_SCOPE)
  endif()
  set(errors "${output}" PARENT_SCOPE)
endfunction()

consume(cocos2d.h)
if(NOT compiled)
  message(FATAL_ERROR "cocos2d.h does not compile with the exported include folders alone:\n${errors}")
endif()

file(GLOB_RECURSE private_headers RELATIVE "${PRIVATE_ROOT}" "${PRIVATE_ROOT}/*.h")
if(NOT private_headers)
  message(FATAL_ERROR "no private headers found under ${PRIVATE_ROOT}")
endif()
set(reachable)
foreach(header IN LISTS private_headers)
  consume("${header}")
  if(compiled OR NOT errors MATCHES "No such file")
    list(APPEND reachable "${header}")
  endif()
endforeach()
if(reachable)
  list(JOIN reachable "\n  " report)
  message(FATAL_ERROR "a consumer of the cocos2d target can include private headers:\n  ${report}")
endif()
list(LENGTH private_headers count)
message(STATUS "cocos2d.h compiles; none of the ${count} private headers can be included")
