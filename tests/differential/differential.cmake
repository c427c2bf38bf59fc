# The differential test between the two backends, run by ctest:
#   cmake -DNATIVE=<native program> -DWORK=<folder> [-DWINDOWS=<program.exe> -DEMULATOR=<wine64>]
#         -P differential.cmake
# generate.py makes the templates and the native program dumps them over pugixml; with WINDOWS,
# the Windows build dumps them over the service under wine and compare.py compares the two.
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${NATIVE}")
  message(FATAL_ERROR "differential: ${NATIVE} is missing: build the default preset first (scripts/test.sh does)")
endif()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  message("${output}")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "differential: failed (${result}): ${ARGN}")
  endif()
endfunction()

find_program(PYTHON NAMES python3 REQUIRED)
file(REMOVE_RECURSE "${WORK}")
run("${PYTHON}" "${CMAKE_CURRENT_LIST_DIR}/generate.py" "${WORK}/files")
run("${NATIVE}" "${WORK}/files" "${WORK}/native.dump")
if(WINDOWS)
  run(${EMULATOR} "${WINDOWS}" "${WORK}/files" "${WORK}/windows.dump")
  run("${PYTHON}" "${CMAKE_CURRENT_LIST_DIR}/compare.py" "${WORK}/native.dump" "${WORK}/windows.dump")
endif()
