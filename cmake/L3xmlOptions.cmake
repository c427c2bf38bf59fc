# Compiler settings shared by every target of the project.

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_library(l3xml_warnings INTERFACE)
if(MSVC)
  target_compile_options(l3xml_warnings INTERFACE /W4 $<$<BOOL:${L3XML_WARNINGS_AS_ERRORS}>:/WX>)
else()
  target_compile_options(l3xml_warnings INTERFACE -Wall -Wextra -Wpedantic
                         $<$<BOOL:${L3XML_WARNINGS_AS_ERRORS}>:-Werror>)
endif()

add_library(l3xml_sanitizers INTERFACE)
if(L3XML_SANITIZE)
  target_compile_options(l3xml_sanitizers INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                         -fno-sanitize-recover=all)
  target_link_options(l3xml_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
# Fuzz builds (clang): every object of the project carries libFuzzer's coverage counters and the
# sanitizers, so that the fuzzers are guided by the library's own branches.
if(L3XML_LIBFUZZER)
  target_compile_options(l3xml_sanitizers INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                         -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(l3xml_sanitizers INTERFACE -fsanitize=address,undefined)
endif()

# Applies the project's warnings and sanitizers to a target.
function(l3xml_target_defaults target)
  target_link_libraries(${target} PRIVATE $<BUILD_INTERFACE:l3xml_warnings> $<BUILD_INTERFACE:l3xml_sanitizers>)
endfunction()
