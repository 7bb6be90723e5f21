# Where an installed copy keeps the files it ships besides its programs: the standard
# materials and the help documents. The program finds them from its own folder, so the path
# from the programs' folder to the data folder is handed to it as a relative one; it stays
# right when a package moves the whole prefix.
include(GNUInstallDirs)

set(STRATIVEX_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/strativex)
file(RELATIVE_PATH STRATIVEX_DATA_FROM_BIN
    ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${STRATIVEX_INSTALL_DATADIR})
