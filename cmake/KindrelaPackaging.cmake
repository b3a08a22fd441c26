# What `cmake --install` puts where desktops look for it, and the Debian
# package CPack makes of it (`cpack -G DEB` in the build folder).
include(GNUInstallDirs)

set(KINDRELA_APP_ID org.tovamere.Kindrela)
set(_bureau ${CMAKE_SOURCE_DIR}/data/desktop)

# The program finds its data in ../share/kindrela beside its bin folder.
install(DIRECTORY data/modele data/skins DESTINATION ${CMAKE_INSTALL_DATADIR}/kindrela)
install(FILES ${_bureau}/${KINDRELA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_bureau}/${KINDRELA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_bureau}/${KINDRELA_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${_bureau}/icons/${KINDRELA_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(taille 16 22 24 32 48 64 128 256)
  install(FILES ${_bureau}/icons/${taille}x${taille}/${KINDRELA_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${taille}x${taille}/apps)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kindrela)
set(CPACK_PACKAGE_VENDOR Tovamere)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Genealogy program: family tree chart, GEDCOM, reports")
set(CPACK_PACKAGE_DESCRIPTION
    "Kindrela keeps the persons, unions, events and sources of a family tree and draws them as a chart around a reference person; it imports and exports GEDCOM 5.5, prints, makes reports, statistics, calendars and place maps.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY kindrela)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(KINDRELA_DEB_MAINTAINER "Tovamere <packages@tovamere.invalid>" CACHE STRING
    "The Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KINDRELA_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The shared libraries the executables link (Qt with its platform and picture
# plugins, libzip, SANE, ...) become dependencies through dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Sounds and videos of the sources, Qt's own dialogs in French, the system browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, qt6-translations-l10n, xdg-utils")
include(CPack)
