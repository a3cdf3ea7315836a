# Help file beside the built program, and the installed layout a Linux desktop expects:
#   <prefix>/libexec/sorell/sorell       the program, with srl.hlp beside it
#   <prefix>/bin/sorell                  a symbolic link to it (the program resolves its own
#                                        path, so it finds srl.hlp through the link)
#   <prefix>/share/applications/sorell.desktop, the icons, and the MIME type of ".ban" files.
# Included by this folder's CMakeLists.txt after the target sorell is defined.

include(GNUInstallDirs)

set(SORELL_DATA_DIR ${CMAKE_CURRENT_LIST_DIR}/data)

# The program looks for its help file in its own directory. The help shows the version, so it
# is generated (again whenever its source changes).
get_target_property(_sorell_out sorell RUNTIME_OUTPUT_DIRECTORY)
if(NOT _sorell_out)
  if(CMAKE_RUNTIME_OUTPUT_DIRECTORY)
    set(_sorell_out ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  else()
    set(_sorell_out ${CMAKE_CURRENT_BINARY_DIR})
  endif()
endif()
configure_file(${SORELL_DATA_DIR}/srl.hlp.in ${_sorell_out}/srl.hlp @ONLY)
configure_file(${SORELL_DATA_DIR}/srl-en.hlp.in ${_sorell_out}/srl-en.hlp @ONLY)

# The translations of the window (the source texts are Japanese), built beside the program
# as sorell_<language>.qm. The target sorell_lupdate refreshes the .ts files from the sources.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
set(SORELL_TS_FILES ${CMAKE_CURRENT_LIST_DIR}/translations/sorell_en.ts)
set_source_files_properties(${SORELL_TS_FILES} PROPERTIES OUTPUT_LOCATION ${_sorell_out})
qt_add_lrelease(sorell_app_lib TS_FILES ${SORELL_TS_FILES} QM_FILES_OUTPUT_VARIABLE SORELL_QM_FILES)
qt_add_lupdate(sorell_app_lib TS_FILES ${SORELL_TS_FILES}
               SOURCES ${SORELL_APP_SOURCES} ${CMAKE_CURRENT_LIST_DIR}/main.cpp
               OPTIONS -source-language ja -no-obsolete -locations none)

set(SORELL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/sorell)
install(TARGETS sorell RUNTIME DESTINATION ${SORELL_PROGRAM_DIR})
install(FILES ${_sorell_out}/srl.hlp ${_sorell_out}/srl-en.hlp ${SORELL_QM_FILES}
        DESTINATION ${SORELL_PROGRAM_DIR})
file(RELATIVE_PATH _sorell_link_target /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${SORELL_PROGRAM_DIR}/sorell)
install(CODE "
  set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${_bin}\")
  file(REMOVE \"\${_bin}/sorell\")
  file(CREATE_LINK \"${_sorell_link_target}\" \"\${_bin}/sorell\" SYMBOLIC)
  message(STATUS \"Installing: \${_bin}/sorell -> ${_sorell_link_target}\")
")

# The openings book goes beside the built program, so the game in the build tree finds it
# (cmake/Packaging.cmake installs it to the data directory the installed program searches).
file(GLOB _sorell_book ${SORELL_DATA_DIR}/book/kelp*.kdb)
foreach(_file ${_sorell_book})
  get_filename_component(_name ${_file} NAME)
  configure_file(${_file} ${_sorell_out}/${_name} COPYONLY)
endforeach()

install(FILES ${SORELL_DATA_DIR}/sorell.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SORELL_DATA_DIR}/sorell.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${SORELL_DATA_DIR}/sorell.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
install(FILES ${SORELL_DATA_DIR}/sorell.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
# The software centres' description, with the version of this build.
set(SORELL_METAINFO ${CMAKE_CURRENT_BINARY_DIR}/${SORELL_APPSTREAM_ID}.metainfo.xml)
string(TIMESTAMP SORELL_RELEASE_DATE "%Y-%m-%d" UTC)
configure_file(${SORELL_DATA_DIR}/sorell.metainfo.xml.in ${SORELL_METAINFO} @ONLY)
install(FILES ${SORELL_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Refresh the desktop's caches when installing for real (not into a staging DESTDIR), so that
# a double click on a ".ban" file opens the game at once. Missing tools are skipped.
install(CODE "
  if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
    set(_share \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
    find_program(_upd_mime update-mime-database)
    if(_upd_mime)
      execute_process(COMMAND \${_upd_mime} \"\${_share}/mime\" OUTPUT_QUIET ERROR_QUIET)
    endif()
    find_program(_upd_desktop update-desktop-database)
    if(_upd_desktop)
      execute_process(COMMAND \${_upd_desktop} \"\${_share}/applications\" OUTPUT_QUIET ERROR_QUIET)
    endif()
    find_program(_upd_icons gtk-update-icon-cache)
    if(_upd_icons)
      execute_process(COMMAND \${_upd_icons} -q -t \"\${_share}/icons/hicolor\" OUTPUT_QUIET ERROR_QUIET)
    endif()
  endif()
")
