# Run by CPack after it has made the Debian packages. CPack gives a library package postinst and
# postrm scripts that call ldconfig; the package's ldconfig trigger does that already, as Debian
# asks, so the scripts are taken out again.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "/lib[^/]*[0-9]_[^/]*\\.deb$")
    continue()
  endif()
  set(tree ${CPACK_TOPLEVEL_DIRECTORY}/repack)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb -R ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE ${tree}/DEBIAN/postinst ${tree}/DEBIAN/postrm)
  execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip -b ${tree} ${package}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
