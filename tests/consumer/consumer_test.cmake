# Builds the example host against l3xml the two ways a host project takes it, and runs it:
#   cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DWORK_DIR=... -P consumer_test.cmake
cmake_minimum_required(VERSION 3.25)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(WRITE "${WORK_DIR}/framework/RRCMessage/PrimaryCell/Msg.xml" "<Msg>\n  <a>1 0 1</a>\n  <c1><b>7</b></c1>\n</Msg>\n")
set(expected "Msg 101 ( 7 ) \n")
set(generator -G Ninja)

# 1. An installed package, found with find_package(l3xml).
run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${WORK_DIR}/prefix")
run(${CMAKE_COMMAND} -S "${SOURCE_DIR}/examples/host" -B "${WORK_DIR}/installed" ${generator}
    "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix")
run(${CMAKE_COMMAND} --build "${WORK_DIR}/installed")
run(${CMAKE_COMMAND} -E env L3XML_LOG=none "${WORK_DIR}/installed/host" "${WORK_DIR}/framework" Msg.xml)
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "installed package: got '${output}'")
endif()
# The installed library finds the logger library beside itself, with no search path set.
execute_process(COMMAND ${CMAKE_COMMAND} -E env L3XML_LOG=${WORK_DIR}/host.log "${WORK_DIR}/installed/host"
                        "${WORK_DIR}/framework" Absent.xml)
file(READ "${WORK_DIR}/host.log" log)
if(NOT log MATCHES "\\[ERR\\] CXMLParser::ParseXML: ERROR GETTING path name")
  message(FATAL_ERROR "installed package: the logger library was not found: '${log}'")
endif()

# 2. The source tree, taken in with add_subdirectory: no tests or tools of l3xml are built.
run(${CMAKE_COMMAND} -S "${SOURCE_DIR}/examples/host" -B "${WORK_DIR}/subdirectory" ${generator}
    "-DL3XML_SOURCE_DIR=${SOURCE_DIR}")
run(${CMAKE_COMMAND} --build "${WORK_DIR}/subdirectory")
if(EXISTS "${WORK_DIR}/subdirectory/l3xml/tests" OR EXISTS "${WORK_DIR}/subdirectory/l3xml/cli")
  message(FATAL_ERROR "add_subdirectory built l3xml's tests or tools")
endif()
run(${CMAKE_COMMAND} -E env L3XML_LOG=none "${WORK_DIR}/subdirectory/host" "${WORK_DIR}/framework" Msg.xml)
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "add_subdirectory: got '${output}'")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
