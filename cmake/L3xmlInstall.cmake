# Install rules and the CMake package, so that a host finds the library with find_package(l3xml).
# Every rule names its component, which is also what a package is made of:
#   runtime      the library and the logger library
#   development  headers, import libraries and symbolic link, CMake package, pkg-config file
#   cli          the l3xml command with its manual page and bash completion (cli/CMakeLists.txt)
#   python       the Python module (python/CMakeLists.txt)
include(CMakePackageConfigHelpers)

# The library loads the logger library from its own folder: both go to the same place.
install(TARGETS l3xml oxLoggerDll
  EXPORT l3xmlTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/l3xml DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  COMPONENT development)
# Hosts that choose the log file call the logger library's ox_setTextFileLogName.
install(FILES ${PROJECT_SOURCE_DIR}/logger/ox_logger.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
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

# pkg-config: written when installed, so that it names the prefix installed to (cmake --install
# --prefix, or the packages' /usr). A zip is unpacked anywhere: its file names its folders
# relative to itself.
if(WIN32)
  file(RELATIVE_PATH L3XML_PC_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
  string(REGEX REPLACE "/$" "" L3XML_PC_PREFIX "${L3XML_PC_PREFIX}")
  set(L3XML_PC_PREFIX "\${pcfiledir}/${L3XML_PC_PREFIX}")
else()
  set(L3XML_PC_PREFIX "@L3XML_PC_PREFIX@")
endif()
configure_file(${PROJECT_SOURCE_DIR}/packaging/l3xml.pc.in ${PROJECT_BINARY_DIR}/pkgconfig/l3xml.pc.in @ONLY)
install(CODE "set(L3XML_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  configure_file(\"${PROJECT_BINARY_DIR}/pkgconfig/l3xml.pc.in\" \"${PROJECT_BINARY_DIR}/pkgconfig/l3xml.pc\" @ONLY)"
  COMPONENT development)
install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/l3xml.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT development)

# The licence: at the top of a Windows zip, in the documentation folder elsewhere. The Debian
# packages carry it in their copyright files instead (L3xmlPackaging.cmake).
if(WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . COMPONENT runtime)
elseif(NOT L3XML_DEBIAN_PACKAGES)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT runtime)
endif()
