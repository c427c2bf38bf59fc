# Runs command lines with the Windows program (under wine) and with the Linux program, each time in
# a fresh copy of the examples folder, and fails when their output, diagnostics or exit status differ.
#   cmake -DPROGRAM=l3xml.exe -DEMULATOR=wine64 -DREFERENCE=l3xml -DEXAMPLES=dir -DWORK_DIR=dir
#         "-DCOMMANDS=run framework|..." -P same_as_linux.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${REFERENCE}")
  message(FATAL_ERROR "no reference program '${REFERENCE}': build the Linux one first (cmake --build --preset default)")
endif()

# What differs between the systems without being a difference: line ends, path separators, wine's
# drive for the root folder, the temporary folder and the time taken.
function(normalise text out)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\\" "/" text "${text}")
  string(REPLACE "Z:/" "/" text "${text}")
  string(REGEX REPLACE "[^ ]*/l3xml-run-[^ /)]+" "TEMP" text "${text}")
  string(REGEX REPLACE "time taken: *[0-9.]+ s" "time taken: T s" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(run system)
  set(folder ${WORK_DIR}/examples)
  file(REMOVE_RECURSE ${folder})
  file(COPY ${EXAMPLES}/ DESTINATION ${folder})
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${folder}
    OUTPUT_VARIABLE output ERROR_VARIABLE diagnostics RESULT_VARIABLE status)
  normalise("${output}" output)
  normalise("${diagnostics}" diagnostics)
  set(${system} "exit status ${status}\n--- output\n${output}--- diagnostics\n${diagnostics}" PARENT_SCOPE)
endfunction()

string(REPLACE "|" ";" COMMANDS "${COMMANDS}")
foreach(command IN LISTS COMMANDS)
  separate_arguments(arguments UNIX_COMMAND "${command}")
  run(linux ${REFERENCE} ${arguments})
  run(windows ${EMULATOR} ${PROGRAM} ${arguments})
  if(NOT linux STREQUAL windows)
    message(FATAL_ERROR "l3xml ${command}: Windows and Linux differ\n=== Linux\n${linux}\n=== Windows\n${windows}")
  endif()
  message(STATUS "l3xml ${command}: the same on Windows and Linux")
endforeach()
file(REMOVE_RECURSE ${WORK_DIR})
