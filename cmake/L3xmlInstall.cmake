# Install rules and the CMake package, so that a host finds the library with find_package(l3xml).
include(CMakePackageConfigHelpers)

# Components: runtime (the two shared libraries), development (headers, import libraries, the
# CMake package) and python (the Python module, see python/).
# The library loads the logger library from its own folder: both go to the same place.
install(TARGETS l3xml oxLoggerDll
  EXPORT l3xmlTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/l3xml DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  COMPONENT development)

install(EXPORT l3xmlTargets
  NAMESPACE l3xml::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/l3xml
  COMPONENT development)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/l3xmlConfig.cmake.in
  ${PROJECT_BINARY_DIR}/l3xmlConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/l3xml)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/l3xmlConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/l3xmlConfig.cmake ${PROJECT_BINARY_DIR}/l3xmlConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/l3xml
  COMPONENT development)
