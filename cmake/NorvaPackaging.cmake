# The Debian package of the whole suite (`cpack -G DEB` in a configured build folder). Its
# dependencies are computed from the installed programs and libraries by dpkg-shlibdeps, plus
# the Qt platform plugins that no library links to.
set(CPACK_PACKAGE_NAME "norva-suite")
set(CPACK_PACKAGE_VENDOR "Norva")
set(CPACK_PACKAGE_CONTACT "NORVA RD710 suite developers <norva-suite@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "NORVA RD710 companion suite: lyric editor, player manager, logo converter")
set(CPACK_PACKAGE_DESCRIPTION
    "Prepares lyrics (LYR, MPR) and logos (LGO) for the NORVA RD710 player and manages the \
player: the lyric editor sontrava, the device manager trelliq, the logo converter glyphane \
and the command-line tool norva.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "sound")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so not found by dpkg-shlibdeps: Qt's platform plugins, without which no
# window opens (merged with the computed list). Recommended: the MIME database, desktop
# database and xdg-utils through which the installed .desktop and MIME files take effect.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, xdg-utils")

include(CPack)
