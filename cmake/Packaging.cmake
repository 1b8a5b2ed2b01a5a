# What `cmake --install` puts where, and the manual pages.

install(TARGETS kapibuch kapibuch-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(KAPIBUCH_APP_ID io.kapitalbuch.Kapitalbuch)
install(FILES ${PROJECT_SOURCE_DIR}/resources/${KAPIBUCH_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/${KAPIBUCH_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/kapitalbuch-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME kapitalbuch.xml)
install(FILES ${PROJECT_SOURCE_DIR}/resources/kapitalbuch.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kapitalbuch/help)
install(FILES ${PROJECT_SOURCE_DIR}/resources/kapibuch-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME kapibuch-cli)

# Manual pages: kapibuch(1) is written by hand; kapibuch-cli(1) takes its commands and options
# from the program's own help. Installed compressed, as Debian expects.
set(KAPIBUCH_MAN_DIR ${PROJECT_BINARY_DIR}/man)
configure_file(${PROJECT_SOURCE_DIR}/docs/man/kapibuch.1.in ${KAPIBUCH_MAN_DIR}/kapibuch.1 @ONLY)
add_custom_command(
  OUTPUT ${KAPIBUCH_MAN_DIR}/kapibuch-cli.1
  COMMAND ${PROJECT_SOURCE_DIR}/docs/man/make-cli-page.sh $<TARGET_FILE:kapibuch-cli>
          ${PROJECT_SOURCE_DIR}/docs/man/kapibuch-cli.1.in ${KAPIBUCH_MAN_DIR}/kapibuch-cli.1
  DEPENDS kapibuch-cli ${PROJECT_SOURCE_DIR}/docs/man/make-cli-page.sh
          ${PROJECT_SOURCE_DIR}/docs/man/cli-commands.awk ${PROJECT_SOURCE_DIR}/docs/man/kapibuch-cli.1.in
  COMMENT "Manual page kapibuch-cli(1) from the program's help")
set(KAPIBUCH_MAN_PAGES)
foreach(page kapibuch kapibuch-cli)
  add_custom_command(
    OUTPUT ${KAPIBUCH_MAN_DIR}/${page}.1.gz
    COMMAND gzip -9 -n -k -f ${KAPIBUCH_MAN_DIR}/${page}.1
    DEPENDS ${KAPIBUCH_MAN_DIR}/${page}.1
    VERBATIM)
  list(APPEND KAPIBUCH_MAN_PAGES ${KAPIBUCH_MAN_DIR}/${page}.1.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${KAPIBUCH_MAN_PAGES})
install(FILES ${KAPIBUCH_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
