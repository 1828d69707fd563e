# The manual pages of the programs built.
include(GNUInstallDirs)

# ---- Manual pages, installed gzipped as Debian keeps them (-n: no name or
# time inside, so that the same page always gives the same bytes).
find_program(WEGATOR_GZIP gzip REQUIRED)
set(WEGATOR_MAN_PAGES)
foreach(program wegator wegator-cli wegator-sim)
  if(TARGET ${program})
    set(page ${PROJECT_SOURCE_DIR}/resources/man/${program}.1)
    set(copy ${PROJECT_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${copy}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${page} ${copy}
      COMMAND ${WEGATOR_GZIP} -9 -n -f ${copy}
      DEPENDS ${page}
      VERBATIM)
    list(APPEND WEGATOR_MAN_PAGES ${copy}.gz)
  endif()
endforeach()
add_custom_target(wegator_man_pages ALL DEPENDS ${WEGATOR_MAN_PAGES})
install(FILES ${WEGATOR_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
