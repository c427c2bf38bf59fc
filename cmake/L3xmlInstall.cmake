# Install rules and the CMake package, so that a host finds the library with find_package(l3xml).
include(CMakePackageConfigHelpers)

# The library loads the logger library from its own folder: both go to the same place.
install(TARGETS l3xml oxLoggerDll
  EXPORT l3xmlTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/l3xml DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

install(EXPORT l3xmlTargets
  NAMESPACE l3xml::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/l3xml)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/l3xmlConfig.cmake.in
  ${PROJECT_BINARY_DIR}/l3xmlConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/l3xml)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/l3xmlConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/l3xmlConfig.cmake ${PROJECT_BINARY_DIR}/l3xmlConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/l3xml)
