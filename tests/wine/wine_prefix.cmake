# The wine prefix that the Windows test programs run in, named by WINEPREFIX in the environment.
#   cmake -DACTION=start -P wine_prefix.cmake   a fresh prefix, initialised
#   cmake -DACTION=stop -P wine_prefix.cmake    its wine server stopped, with every program in it
cmake_minimum_required(VERSION 3.25)
if(NOT DEFINED ENV{WINEPREFIX})
  message(FATAL_ERROR "wine_prefix: WINEPREFIX is not set")
endif()
find_program(WINEBOOT wineboot)
find_program(WINESERVER NAMES wineserver PATHS /usr/lib/wine)
if(NOT WINEBOOT OR NOT WINESERVER)
  message(FATAL_ERROR "wine_prefix: wineboot and wineserver are needed (Debian packages wine and wine64)")
endif()

# A server still running for an earlier prefix of the same folder is stopped first.
execute_process(COMMAND ${WINESERVER} -k OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND ${WINESERVER} -w OUTPUT_QUIET ERROR_QUIET)
if(ACTION STREQUAL "start")
  file(REMOVE_RECURSE "$ENV{WINEPREFIX}")
  execute_process(COMMAND ${WINEBOOT} -i RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "wine_prefix: wineboot -i failed (${result}):\n${output}")
  endif()
  message(STATUS "wine prefix ready: $ENV{WINEPREFIX}")
elseif(NOT ACTION STREQUAL "stop")
  message(FATAL_ERROR "wine_prefix: ACTION must be start or stop")
endif()
