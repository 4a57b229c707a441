# Installs the manual pages and the changelog, compressed with gzip as Debian keeps its manual
# pages (-n: no name or time stamp, so the same page gives the same bytes).
# Without gzip the page goes in as it is; man reads either.

find_program(BARLIST_GZIP gzip)
mark_as_advanced(BARLIST_GZIP)

# Installs man/NAME.1, compressed where gzip is found.
function(barlist_man_page name)
  set(source ${PROJECT_SOURCE_DIR}/man/${name}.1)
  set(page ${source})
  if(BARLIST_GZIP)
    set(page ${PROJECT_BINARY_DIR}/man/${name}.1.gz)
    add_custom_command(
      OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E copy ${source} ${PROJECT_BINARY_DIR}/man/${name}.1
      COMMAND ${BARLIST_GZIP} -9nf ${PROJECT_BINARY_DIR}/man/${name}.1
      DEPENDS ${source}
      COMMENT "Compressing the manual page ${name}.1"
      VERBATIM)
    add_custom_target(${name}-man-page ALL DEPENDS ${page})
  endif()
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
barlist_man_page(barlist)

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
