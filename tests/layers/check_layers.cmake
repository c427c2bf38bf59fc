# Fails when a source file includes a header of a higher layer, or when the command line or the
# Python module includes anything of the library but its public headers.
#   cmake -DSOURCE_DIR=<tree> -P check_layers.cmake
#   cmake -DSOURCE_DIR=<tree> -DSCRATCH_DIR=<dir> -P check_layers.cmake
# The second form proves the check itself: it must fail on a scratch tree with one upward include,
# which it then removes.
cmake_minimum_required(VERSION 3.25)

# Bottom to top; layers on one rank may include each other.
set(rank_platform 0)
set(rank_logging 1)
set(rank_xmldoc 2)
set(rank_paths 3)
set(rank_state 4)
set(rank_params 5)
set(rank_parser 5)
set(rank_pixit 5)
set(rank_exports 6)
set(rank_api 6)
set(internal_layers platform logging xmldoc paths state params parser pixit exports api)

function(check_tree root out_violations)
  set(violations "")
  file(GLOB_RECURSE sources RELATIVE ${root} ${root}/src/*.cpp ${root}/src/*.h ${root}/src/*.inc
       ${root}/cli/*.cpp ${root}/cli/*.h ${root}/python/*.cpp ${root}/python/*.h)
  foreach(source IN LISTS sources)
    file(STRINGS ${root}/${source} includes REGEX "^[ \t]*#[ \t]*include")
    string(REGEX MATCH "^[^/]+/[^/]+" area "${source}")
    foreach(line IN LISTS includes)
      if(area MATCHES "^(cli|python)/")
        if(line MATCHES "pugixml|\"(${internal_layers_regex})/")
          list(APPEND violations "${source}: ${line} (only <l3xml/...> headers)")
        endif()
        continue()
      endif()
      string(REGEX REPLACE "^src/" "" layer "${area}")
      if(NOT DEFINED rank_${layer} OR NOT line MATCHES "\"([a-z]+)/")
        continue()
      endif()
      set(included "${CMAKE_MATCH_1}")
      if(DEFINED rank_${included} AND rank_${included} GREATER rank_${layer})
        list(APPEND violations "${source}: ${line} (${layer} is below ${included})")
      endif()
    endforeach()
  endforeach()
  set(${out_violations} "${violations}" PARENT_SCOPE)
endfunction()

list(JOIN internal_layers "|" internal_layers_regex)

if(DEFINED SCRATCH_DIR)
  set(scratch ${SCRATCH_DIR}/src/platform/upward.cpp)
  file(WRITE ${scratch} "#include \"parser/value_setting.h\"\n")
  check_tree(${SCRATCH_DIR} violations)
  file(REMOVE_RECURSE ${SCRATCH_DIR})
  if(violations STREQUAL "")
    message(FATAL_ERROR "check_layers: an upward include in a scratch file went unnoticed")
  endif()
  message(STATUS "check_layers: the scratch file's upward include was found: ${violations}")
  return()
endif()

check_tree(${SOURCE_DIR} violations)
if(NOT violations STREQUAL "")
  list(JOIN violations "\n  " listed)
  message(FATAL_ERROR "check_layers: includes against the layer order:\n  ${listed}")
endif()
