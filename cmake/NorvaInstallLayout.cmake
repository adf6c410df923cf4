# Where `cmake --install` puts the suite: freedesktop places under the prefix. The programs find
# what was installed with them from their own folder, through the relative paths below (so a
# tree installed under any prefix, or unpacked from the package, works as it is).
#   bin/                         sontrava, trelliq, glyphane, norva
#   lib.../norva/                libnorva_tcc730.so (USB library), libnorva_pictures.so
#   share/doc/norva-suite/       RD710_CHS.pdf (user manual), HtmlHelp/ (HTML help)
#   share/applications, share/mime/packages, share/metainfo, share/icons, share/pixmaps
include(GNUInstallDirs)

set(NORVA_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/norva)
set(NORVA_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/norva-suite)

file(RELATIVE_PATH NORVA_LIBDIR_FROM_BINDIR ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${NORVA_INSTALL_LIBDIR})
file(RELATIVE_PATH NORVA_DOCDIR_FROM_BINDIR ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${NORVA_INSTALL_DOCDIR})
