# Packages made with CPack (scripts/package.sh): on Linux, one Debian package per install
# component; for Windows, one zip of everything the cross build installs.

# The components that become packages. The python component joins them once the module exists,
# with its own CPACK_DEBIAN_PYTHON_* settings below.
set(L3XML_PACKAGE_COMPONENTS runtime development cli)

set(L3XML_MAINTAINER "l3xml maintainers <maintainers@users.noreply.c-seed-b4abab14.example>")
set(CPACK_PACKAGE_NAME l3xml)
set(CPACK_PACKAGE_VENDOR "l3xml maintainers")
set(CPACK_PACKAGE_CONTACT "${L3XML_MAINTAINER}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL ${L3XML_PACKAGE_COMPONENTS})
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS runtime)
set(CPACK_COMPONENT_CLI_DEPENDS runtime)
set(CPACK_SOURCE_GENERATOR "")

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
else()
  set(CPACK_GENERATOR DEB)
  # Each package has its own summary line: a common one would be put above all three.
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
endif()

# The Debian revision comes from the newest entry of the Debian changelog, which must be the
# project's version: a new version needs its changelog entry.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog L3XML_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT L3XML_CHANGELOG_TOP MATCHES "^l3xml \\(([^-]+)-([^)]+)\\)")
  message(FATAL_ERROR "packaging/debian/changelog: the first line is not 'l3xml (VERSION-REVISION) ...'")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})
if(L3XML_DEBIAN_PACKAGES AND NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/debian/changelog: its newest entry is for ${CMAKE_MATCH_1}, "
                      "the project is ${PROJECT_VERSION}")
endif()

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${L3XML_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Dependencies on other packages from what the binaries link; on the library, from the
# components' own dependencies (it is found in the build for dpkg-shlibdeps, which then knows
# no package of it).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${L3XML_OUTPUT_DIR})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libl3xml${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/debian/triggers)
if(NOT WIN32)
  set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/debian/drop-ldconfig-scripts.cmake)
endif()
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
  "layer-3 (RRC) XML templates and parameters of WCDMA test frameworks
The library that a WCDMA protocol test framework loads to work with its
layer-3 (RRC) XML files: PIXIT parameter files with their type definitions,
and message templates. It loads a campaign's parameters, writes them into
templates, flattens a template into the one-line value string of its message
encoder, reads and writes single values, and tracks which parameter feeds
which message file.
.
This package holds the shared library and the logger library it writes its
diagnostics through.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libl3xml-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
  "layer-3 (RRC) XML templates of WCDMA test frameworks - development files
The library that a WCDMA protocol test framework loads to work with its
layer-3 (RRC) XML files: PIXIT parameter files and message templates.
.
This package holds the headers, the CMake package (find_package(l3xml)) and
the pkg-config file (pkg-config l3xml) for building hosts of the library.")

set(CPACK_DEBIAN_CLI_PACKAGE_NAME l3xml)
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_CLI_DESCRIPTION
  "command line for the layer-3 (RRC) XML templates of WCDMA test frameworks
The l3xml command inspects, flattens, reads and writes the message templates
of a WCDMA protocol test framework, loads a campaign's PIXIT parameters and
shows what landed where, through the l3xml library.
.
This package holds the command with its manual page and bash completion, and
an example framework that 'l3xml run' works on by default.")

# The Debian packages carry the licence as a machine-readable copyright file and their changelog,
# each in its own documentation folder.
if(L3XML_DEBIAN_PACKAGES)
  set(L3XML_DEBIAN_DOC_DIR ${PROJECT_BINARY_DIR}/debian)
  file(MAKE_DIRECTORY ${L3XML_DEBIAN_DOC_DIR})
  find_program(L3XML_GZIP gzip REQUIRED)
  execute_process(COMMAND ${L3XML_GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/debian/changelog
    OUTPUT_FILE ${L3XML_DEBIAN_DOC_DIR}/changelog.Debian.gz
    COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog)
  foreach(component IN LISTS L3XML_PACKAGE_COMPONENTS)
    string(TOUPPER ${component} upper)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright ${L3XML_DEBIAN_DOC_DIR}/changelog.Debian.gz
      DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME}
      COMPONENT ${component})
  endforeach()
endif()

# Everything the packages hold, for builds that do not build all of the project (the 32-bit
# Windows one builds only this).
add_custom_target(l3xml_package_contents)
foreach(target l3xml oxLoggerDll l3xml_cli l3xml_manpage)
  if(TARGET ${target})
    add_dependencies(l3xml_package_contents ${target})
  endif()
endforeach()

include(CPack)
