# The Debian package, made by `cmake --workflow --preset package` (or `cpack`
# in a configured build folder): barlist_VERSION-RELEASE_ARCH.deb holding what
# the install rules list, with the program stripped and the library
# dependencies worked out by dpkg-shlibdeps. The package's release number
# makes barlist's own changelog (changelog.gz) the upstream one, beside a
# Debian changelog of the package (changelog.Debian.gz).

set(BARLIST_PACKAGE_MAINTAINER "barlist maintainers <maintainers@barlist.invalid>"
  CACHE STRING "Name and e-mail address in the Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME barlist)
set(CPACK_PACKAGE_VENDOR "barlist maintainers")
set(CPACK_PACKAGE_CONTACT "${BARLIST_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "extend and list the reinforcing steel of bridge structures")
set(CPACK_PACKAGE_DESCRIPTION [=[
barlist reads a deck of 80-column card images describing the reinforcing bars
of bridge structures: for each bar its size, mark and count, and either a
length or a bar type with its bend dimensions. It works out every bar's
developed length, weighs the bars by their nominal metric masses, prices them
and writes two reports: the quantities of each structure, with subtotals,
totals and every deck error, and the bar schedule of each structure.]=])
set(CPACK_STRIP_FILES ON)
# Stripped as Debian strips: no compiler banners (.comment) either.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/barlist\" COMMAND_ERROR_IS_FATAL ANY)
  endif()")

set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# What lintian would say that does not apply to this package, and why.
set(barlist_page_override "")
if(BARLIST_WEB_PAGE)
  set(barlist_page_override "# The workbench page is the program in a browser, not its documentation.
barlist: package-contains-documentation-outside-usr-share-doc [usr/share/barlist/barlist.html]")
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/lintian-overrides.in ${PROJECT_BINARY_DIR}/lintian-overrides @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME barlist)
# The date of the Debian changelog's entry: now, or SOURCE_DATE_EPOCH's.
string(TIMESTAMP barlist_package_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${PROJECT_SOURCE_DIR}/cmake/changelog.Debian.in ${PROJECT_BINARY_DIR}/changelog.Debian @ONLY)
if(BARLIST_GZIP)
  add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/changelog.Debian.gz
    COMMAND ${BARLIST_GZIP} -9nc ${PROJECT_BINARY_DIR}/changelog.Debian > ${PROJECT_BINARY_DIR}/changelog.Debian.gz
    DEPENDS ${PROJECT_BINARY_DIR}/changelog.Debian
    COMMENT "Compressing the Debian changelog"
    VERBATIM)
  add_custom_target(changelog-debian ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.Debian.gz)
  install(FILES ${PROJECT_BINARY_DIR}/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
else()
  install(FILES ${PROJECT_BINARY_DIR}/changelog.Debian DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Only binary packages: a source archive would sweep up the build folders.
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/;/build[^/]*/")

include(CPack)
