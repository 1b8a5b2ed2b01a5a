# What `cmake --install` puts where.

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
