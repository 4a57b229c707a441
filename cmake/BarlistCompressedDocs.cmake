# Installs the manual page and the changelog, compressed with gzip as Debian keeps its manual
# pages (-n: no name or time stamp, so the same page gives the same bytes).
# Without gzip the page goes in as it is; man reads either.

find_program(BARLIST_GZIP gzip)
mark_as_advanced(BARLIST_GZIP)

set(barlist_man_source ${PROJECT_SOURCE_DIR}/man/barlist.1)
if(BARLIST_GZIP)
  set(barlist_man_page ${PROJECT_BINARY_DIR}/man/barlist.1.gz)
  add_custom_command(
    OUTPUT ${barlist_man_page}
    COMMAND ${CMAKE_COMMAND} -E copy ${barlist_man_source} ${PROJECT_BINARY_DIR}/man/barlist.1
    COMMAND ${BARLIST_GZIP} -9nf ${PROJECT_BINARY_DIR}/man/barlist.1
    DEPENDS ${barlist_man_source}
    COMMENT "Compressing the manual page"
    VERBATIM)
  add_custom_target(man-page ALL DEPENDS ${barlist_man_page})
else()
  set(barlist_man_page ${barlist_man_source})
endif()
install(FILES ${barlist_man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The changelog, as Debian keeps it: changelog.gz beside the README.
if(BARLIST_GZIP)
  set(barlist_changelog ${PROJECT_BINARY_DIR}/changelog.gz)
  add_custom_command(
    OUTPUT ${barlist_changelog}
    COMMAND ${BARLIST_GZIP} -9nc ${PROJECT_SOURCE_DIR}/CHANGELOG.md > ${barlist_changelog}
    DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md
    COMMENT "Compressing the changelog"
    VERBATIM)
  add_custom_target(changelog ALL DEPENDS ${barlist_changelog})
  install(FILES ${barlist_changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})
else()
  install(FILES ${PROJECT_SOURCE_DIR}/CHANGELOG.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
