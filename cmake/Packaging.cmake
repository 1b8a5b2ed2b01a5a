# What `cmake --install` puts where, the manual pages, and the Debian package made from the
# installation (`cpack -G DEB`).

install(TARGETS kapibuch kapibuch-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(KAPIBUCH_APP_ID io.kapitalbuch.Kapitalbuch)
install(FILES ${PROJECT_SOURCE_DIR}/resources/${KAPIBUCH_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The AppStream release is the project's version (CMakeLists.txt), as --version and the package.
configure_file(${PROJECT_SOURCE_DIR}/resources/${KAPIBUCH_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${KAPIBUCH_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${KAPIBUCH_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
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

# The Debian package. Its Depends are the libraries the programs link (dpkg-shlibdeps) and
# what they load at run time without a link: the Qt platform plugins (xcb), Qt's German
# translations and the fonts that views, prints and exports use.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kapitalbuch)
set(CPACK_PACKAGE_VENDOR Kapitalbuch)
set(CPACK_PACKAGE_HOMEPAGE_URL https://kapitalbuch.io/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal securities-portfolio book-keeper (German user interface)")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "personal securities-portfolio book-keeper (German user interface)
 Kapitalbuch keeps the securities portfolio and the cash account of a private investor:
 buys, sells allocated over the open positions, stock splits, cash movements, the switch
 of the account from DM to euro and daily prices, typed in or imported from text files.
 Nine views evaluate the portfolio on screen, printed and exported as PDF, SVG or PNG:
 Depotbestand (holdings), Depotentwicklung (development), Realisierte G+V (realised
 gains), Kontobewegungen (account movements), Grafik - Depotentwicklung, Grafik -
 Wertpapier (two charts), Depotanalyse (analysis), Rendite (rates of return) and
 Jahresübersicht (yearly overview). Every change can be undone, unsaved changes
 survive a crash, and backups are kept before a file is saved over.
 .
 The package holds the desktop program kapibuch and the command-line tool kapibuch-cli.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kapitalbuch <info@kapitalbuch.io>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation")
# The certificates price downloads over https: are checked against.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion, ca-certificates")
set(CPACK_STRIP_FILES ON)
include(CPack)
