# The differential test between the two backends, run by ctest:
#   cmake -DNATIVE=<native program> -DWORK=<folder> [-DWINDOWS=<program.exe> -DEMULATOR=<wine64>]
#         -P differential.cmake
# The native program generates the templates and dumps them over pugixml; with WINDOWS, the
# Windows build dumps them over the service under wine and the native program compares the two.
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

file(REMOVE_RECURSE "${WORK}")
run("${NATIVE}" generate "${WORK}/files")
run("${NATIVE}" dump "${WORK}/files" "${WORK}/native.dump")
if(WINDOWS)
  run(${EMULATOR} "${WINDOWS}" dump "${WORK}/files" "${WORK}/windows.dump")
  run("${NATIVE}" compare "${WORK}/native.dump" "${WORK}/windows.dump")
endif()
