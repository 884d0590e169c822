# The program on a Linux desktop: the help document, the install layout and the Debian package.
if(NOT ZW_WITH_QT OR NOT TARGET zellwerk_qt)
    return()
endif()

add_subdirectory(${PROJECT_SOURCE_DIR}/docs ${CMAKE_BINARY_DIR}/docs)
# The program opens Help.pdf from its own folder: build it with the program.
add_dependencies(zellwerk help_pdf)

# Install layout: the program lives in its own folder with Help.pdf and Zellwerk.ico beside it
# (it finds both next to itself); bin/zellwerk is a link to it.
include(GNUInstallDirs)
set(ZW_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/zellwerk)
install(TARGETS zellwerk RUNTIME DESTINATION ${ZW_PROGRAM_DIR})
install(FILES ${ZW_HELP_PDF} ${PROJECT_SOURCE_DIR}/resources/Zellwerk.ico
    DESTINATION ${ZW_PROGRAM_DIR})
file(RELATIVE_PATH zw_link_target /${CMAKE_INSTALL_BINDIR} /${ZW_PROGRAM_DIR}/zellwerk)
file(CREATE_LINK ${zw_link_target} ${CMAKE_BINARY_DIR}/zellwerk-link SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/zellwerk-link DESTINATION ${CMAKE_INSTALL_BINDIR}
    RENAME zellwerk)
if(TARGET zellwerk-cli)
    install(TARGETS zellwerk-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    # Its manual page and its bash completion, found by man and bash-completion where the
    # system looks for them.
    install(FILES ${PROJECT_SOURCE_DIR}/docs/cli/zellwerk-cli.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${PROJECT_SOURCE_DIR}/docs/cli/zellwerk-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME zellwerk-cli)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/resources/zellwerk.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/zellwerk-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME zellwerk.xml)
foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/zellwerk-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME zellwerk.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/zellwerk.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${PROJECT_SOURCE_DIR}/resources/zellwerk.metainfo.xml
    ${CMAKE_BINARY_DIR}/resources/de.brunfeld.zellwerk.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/resources/de.brunfeld.zellwerk.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The Debian package: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME zellwerk)
set(CPACK_PACKAGE_VENDOR Brunfeld)
set(CPACK_PACKAGE_CONTACT "Brunfeld <zellwerk@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "SuDoKu lösen, prüfen und erstellen")
set(CPACK_PACKAGE_DESCRIPTION "Zellwerk ist ein Programm für klassische SuDoKu-Rätsel mit 9×9 \
Feldern. Es prüft jede Zahl gegen die Regeln, führt ein Log mit einem Schnappschuss des \
Spielfelds zu jeder Zeile, löst Rätsel durch Logik und Suche, zählt alle Lösungen und erzeugt \
neue Rätsel in den Schwierigkeitsgraden Normal und Schwer.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plugins are a separate package; without one no window opens.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, xdg-utils")
include(CPack)

if(ZW_BUILD_TESTS)
    enable_testing()
    add_subdirectory(${PROJECT_SOURCE_DIR}/tests/desktop ${CMAKE_BINARY_DIR}/tests/desktop)
endif()
