# The Debian package, made by `cmake --workflow --preset package` (or `cpack`
# in a configured build folder): barlist_VERSION_ARCH.deb holding what the
# install rules list, with the program stripped and the library dependencies
# worked out by dpkg-shlibdeps.

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

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Only binary packages: a source archive would sweep up the build folders.
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/;/build[^/]*/")

include(CPack)
