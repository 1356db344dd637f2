# The Debian package (cpack -G DEB): everything the install rules put below /usr, with the
# libraries it needs found by dpkg-shlibdeps from the installed programs themselves. The Windows
# build makes mouldview-<version>-windows-x64.zip instead: the programs, the example climate file
# and the documents in one folder (cpack --config build-windows/CPackConfig.cmake).
set(CPACK_PACKAGE_NAME mouldview)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME mouldview-${PROJECT_VERSION}-windows-x64)
  set(CPACK_STRIP_FILES ON)
  include(CPack)
  return()
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_VENDOR "mouldview maintainers")
set(CPACK_PACKAGE_CONTACT "mouldview maintainers <maintainers@users.noreply.c-seed-6cd8dcbd.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mould growth risk of a building surface from an hourly climate")
set(CPACK_PACKAGE_DESCRIPTION
    "mouldview reads an hourly climate series (air temperature and relative humidity at a\n\
surface), condenses it into 12-hour periods, applies a dose-response mould model and\n\
accumulates a mould index from 0 (no growth) to 6 (heavy growth). The index is shown as a\n\
chart that can be zoomed and scrolled with the mouse.\n\
.\n\
mouldexport runs the same model without a window and writes the period table as CSV, a\n\
summary, or the chart as a PNG picture.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# The chart's text is set in "Arial"; Liberation Sans has the same metrics, so labels take the
# room the layout expects. Nothing links the font, so no library scan can find it.
set(mouldview_font_package fonts-liberation2)
find_program(MOULDVIEW_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(MOULDVIEW_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS ${mouldview_font_package})
else()
  # The libraries the programs link, as Debian 12 names their packages.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libc6, libgcc-s1, libstdc++6, libsdl2-2.0-0, libfreetype6, libfontconfig1, libpng16-16, libx11-6, ${mouldview_font_package}")
endif()

include(CPack)
