# Runs assetgen twice and demands byte-identical images from both runs and
# from the copies committed in resources/.
#   cmake -DASSETGEN=<exe> -DWORK_DIR=<scratch dir> -DCOMMITTED_DIR=<resources> -P compare.cmake
foreach(required ASSETGEN WORK_DIR COMMITTED_DIR)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "compare.cmake: -D${required}=... is missing")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
foreach(run first second)
    execute_process(COMMAND "${ASSETGEN}" "${WORK_DIR}/${run}" RESULT_VARIABLE exit_code)
    if(NOT exit_code EQUAL 0)
        message(FATAL_ERROR "assetgen failed on the ${run} run: ${exit_code}")
    endif()
    file(GLOB images_${run} RELATIVE "${WORK_DIR}/${run}" "${WORK_DIR}/${run}/*.png" "${WORK_DIR}/${run}/*.ico")
    list(SORT images_${run})
endforeach()

if(NOT images_first)
    message(FATAL_ERROR "assetgen wrote no images")
endif()
if(NOT images_first STREQUAL images_second)
    message(FATAL_ERROR "the two runs wrote different files:\n  ${images_first}\n  ${images_second}")
endif()

set(problems "")
foreach(image IN LISTS images_first)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
        "${WORK_DIR}/first/${image}" "${WORK_DIR}/second/${image}" RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        string(APPEND problems "\n  ${image}: differs between two runs")
    endif()
    if(NOT EXISTS "${COMMITTED_DIR}/${image}")
        string(APPEND problems "\n  ${image}: missing from ${COMMITTED_DIR}")
        continue()
    endif()
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
        "${WORK_DIR}/first/${image}" "${COMMITTED_DIR}/${image}" RESULT_VARIABLE stale)
    if(NOT stale EQUAL 0)
        string(APPEND problems "\n  ${image}: committed copy is stale (build the 'assets' target)")
    endif()
endforeach()

if(problems)
    message(FATAL_ERROR "assetgen output differs:${problems}")
endif()
message(STATUS "assetgen: ${images_first} identical across runs and with ${COMMITTED_DIR}")
