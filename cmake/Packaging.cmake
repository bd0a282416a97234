# Install rules and the Debian package (cpack -G DEB, or the "package" target).
# Layout under the prefix: bin/aurelith_launcher, share/aurelith-launcher/language,
# the desktop entry, hicolor icons and AppStream metadata. The program finds its
# catalogues and keeps its config.ini per user by that layout.
include(GNUInstallDirs)

set(LAUNCHER_APP_ID com.tavoro.AurelithLauncher)
set(LAUNCHER_HOMEPAGE "https://www.example.com/aurelith-launcher"
    CACHE STRING "Project page, also serving the README's docs/ pictures")
set(launcher_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)

if(TARGET aurelith_launcher)
    install(TARGETS aurelith_launcher RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/language/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/aurelith-launcher/language
    FILES_MATCHING PATTERN "*.qm")

install(FILES ${launcher_packaging_dir}/${LAUNCHER_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

foreach(size 16 24 32 48 64 128 256)
    install(FILES ${launcher_packaging_dir}/icons/aurelith-launcher-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME aurelith-launcher.png)
endforeach()

configure_file(${launcher_packaging_dir}/${LAUNCHER_APP_ID}.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/packaging/${LAUNCHER_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${LAUNCHER_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# CPack settings belong to the top-level project; a parent project that adds
# the launcher as a subdirectory packages on its own terms.
get_directory_property(launcher_parent_dir PARENT_DIRECTORY)
if(launcher_parent_dir)
    return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME aurelith-launcher)
set(CPACK_PACKAGE_VENDOR Tavoro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Installer and launcher for the game Aurelith")
set(CPACK_PACKAGE_DESCRIPTION
    "Fetches the current game package with resume and digest check, unpacks it into a folder of the player's choice and starts the game.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${LAUNCHER_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tavoro <launcher@example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so shlibdeps cannot see them: the 7-Zip library and the
# QML modules the scene imports.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "p7zip-full, qml-module-qtquick2, qml-module-qtquick-window2, qml-module-qtquick-controls, qml-module-qtquick-controls2, qml-module-qtquick-dialogs, qml-module-qtwebengine")
# qtwayland5: the window on a Wayland session without going through XWayland.
# libssl3: the faster MD5 of OpenSSL's crypto library, loaded at run time.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei, qtwayland5, libssl3")

include(CPack)
