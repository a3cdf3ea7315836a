# The packages, made with CPack from the install rules:
#   Linux:   make package        a Debian package of the window, the engine, the command-line
#                                tool, the help, the book and the desktop files
#   Windows: make dist-windows   the zip that Gomocup tournaments take: pbrain-sorell.exe and
#                                the book files side by side, at the top of the archive
include(GNUInstallDirs)

# The openings book (kelpNNN.kdb) that the source tree carries, if any.
set(SORELL_BOOK_FILES)
foreach(dir data src tools)
  file(GLOB_RECURSE _books LIST_DIRECTORIES false ${PROJECT_SOURCE_DIR}/${dir}/kelp*.kdb)
  list(APPEND SORELL_BOOK_FILES ${_books})
endforeach()
list(SORT SORELL_BOOK_FILES)

set(CPACK_PACKAGE_NAME sorell)
set(CPACK_PACKAGE_VENDOR Pellham)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "renju game against the computer")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  if(TARGET pbrain-sorell)
    install(TARGETS pbrain-sorell RUNTIME DESTINATION .)
  endif()
  install(FILES ${SORELL_BOOK_FILES} DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME pbrain-sorell-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  foreach(tool pbrain-sorell sorell-cli)
    if(TARGET ${tool})
      install(TARGETS ${tool} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
  endforeach()
  install(FILES ${SORELL_BOOK_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/sorell)
  set(_doc ${CMAKE_INSTALL_DATADIR}/doc/sorell)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${_doc})
  # Debian wants the changelog compressed to the maximum, without a time stamp.
  set(_changelog ${PROJECT_BINARY_DIR}/packaging/changelog)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${_changelog} @ONLY)
  execute_process(COMMAND gzip -9nc ${_changelog} OUTPUT_FILE ${_changelog}.gz
                  COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${_changelog}.gz DESTINATION ${_doc})
  # The manual pages (section 6, games), compressed as Debian wants them.
  foreach(page sorell pbrain-sorell sorell-cli)
    set(_page ${PROJECT_BINARY_DIR}/packaging/${page}.6)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/${page}.6.in ${_page} @ONLY)
    execute_process(COMMAND gzip -9nc ${_page} OUTPUT_FILE ${_page}.gz COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  endforeach()

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Sorell developers <sorell@example.org>"
      CACHE STRING "Maintainer field of the Debian package")
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The window's Japanese font, and Qt's own translations for its standard dialogs.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  # CPack puts the summary first and indents these lines itself.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Sorell plays renju on a 15x15 board: five in a row wins, and black's
double three, double four and overline are forbidden. Game records with
variations are kept in .ban files, and the computer knows the standard
openings.

The package also holds pbrain-sorell, the computer player for Gomocup
tournament managers, and sorell-cli, a command-line tool for records.")
endif()

include(CPack)
