# The manual pages of the programs built, and the Debian package that
# `make package` makes of everything `cmake --install` places (cpack -G DEB).
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

# ---- The package: wegator_<version>_amd64.deb. Depends comes from the
# libraries the programs link (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wegator)
set(CPACK_PACKAGE_VENDOR "TREVAN Sp. z o.o.")
set(CPACK_PACKAGE_CONTACT "TREVAN Sp. z o.o. <biuro@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "humidity calculator with uncertainties for calibration laboratories")
set(CPACK_PACKAGE_DESCRIPTION
  "Wegator (Wegator Wilgotności) turns one measured humidity state into every
other humidity quantity, each with its standard uncertainty, over water and
over ice: from a dew point and a temperature, a relative humidity, a
psychrometer reading or a moisture content, after the ITS-90 formulations or
the formulas of A Guide to the Measurement of Humidity. It converts pressures
between twelve units and prints every page on one sheet.
As a reference station it reads the MBW DP30 hygrometer, the ASL F-250
thermometer and the QX-310, QX-311 and QX-316 instruments over serial ports,
corrects, averages and records their readings and makes calibration series.
The interface is Polish, with English as the second language.
The package holds the desktop program wegator, wegator-cli (the pages, the
station and the instruments on the command line) and wegator-sim (the
instruments played on pseudo-terminals), with their manual pages.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY wegator)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.com")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (the entry fields' context menus) in Polish, and the desktop's
# browser for the help pages and the About box's links.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
