# Install rules: the two programs, the desktop entry and icon, the manual pages, the example
# climate file and the documentation, in the Debian layout below CMAKE_INSTALL_PREFIX. On Windows
# everything lies in one folder, as the zip file carries it.
if(WIN32)
  foreach(program IN ITEMS mouldview mouldexport)
    if(TARGET ${program})
      install(TARGETS ${program} RUNTIME DESTINATION .)
    endif()
  endforeach()
  install(FILES ${PROJECT_SOURCE_DIR}/examples/GeneralCourse.txt DESTINATION examples)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/USER-GUIDE.md DESTINATION .)
  if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
  endif()
  return()
endif()

include(GNUInstallDirs)

set(MOULDVIEW_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/mouldview)

foreach(program IN ITEMS mouldview mouldexport)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/mouldview.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/mouldview.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/mouldview-48.png
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/48x48/apps
        RENAME mouldview.png)

# Manual pages go in compressed, as Debian keeps them; -n leaves the name and time out of the
# gzip header, so the same page always gives the same bytes.
find_program(MOULDVIEW_GZIP gzip)
set(man_pages mouldview.1 mouldexport.1)
foreach(page IN LISTS man_pages)
  set(source ${PROJECT_SOURCE_DIR}/packaging/${page})
  if(MOULDVIEW_GZIP)
    set(packed ${CMAKE_BINARY_DIR}/man/${page}.gz)
    add_custom_command(
      OUTPUT ${packed}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${MOULDVIEW_GZIP} -9 -n -c ${source} > ${packed}
      DEPENDS ${source}
      COMMENT "Compressing the manual page ${page}"
      VERBATIM)
    list(APPEND packed_pages ${packed})
    install(FILES ${packed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    install(FILES ${source} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
if(packed_pages)
  add_custom_target(mouldview_man_pages ALL DEPENDS ${packed_pages})
endif()

install(FILES ${PROJECT_SOURCE_DIR}/examples/GeneralCourse.txt DESTINATION ${MOULDVIEW_DOC_DIR}/examples)
install(FILES
          ${PROJECT_SOURCE_DIR}/README.md
          ${PROJECT_SOURCE_DIR}/docs/USER-GUIDE.md
          ${PROJECT_SOURCE_DIR}/docs/DESIGN.md
          ${PROJECT_SOURCE_DIR}/docs/screenshot.png
        DESTINATION ${MOULDVIEW_DOC_DIR})
