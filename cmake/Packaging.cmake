# Installation into the usual freedesktop places, and a Debian package made by CPack.
include(GNUInstallDirs)

install(TARGETS orvelan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/orvelan.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/icons/orvelan.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/icons/orvelan-256.png RENAME orvelan.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
# Debian keeps a package's licence as /usr/share/doc/<package>/copyright.
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvelan RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvelan)
set(CPACK_PACKAGE_VENDOR "The Orvelan authors")
set(CPACK_PACKAGE_CONTACT "The Orvelan authors <orvelan@users.noreply.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvelan works out how far the atmosphere pulls apart the red, green and blue images of a planet, and how much a thin glass wedge in front of the camera sensor takes back.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.invalid/orvelan")
# The Qt libraries are found by dpkg-shlibdeps; the xcb platform plugin and the picture font
# are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
include(CPack)
