# A Debian package of the installed program: `cpack -G DEB` in a build folder.

set(STRATIVEX_PACKAGE_CONTACT "Strativex maintainers <maintainers@strativex.invalid>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME strativex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${STRATIVEX_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "thermal resistance and temperatures of a layered electronics package")
set(CPACK_PACKAGE_DESCRIPTION
    "Strativex computes the thermal resistance from a heat source (a die, a transistor, an LED)
down through a stack of up to ten layers whose bottom face is held at a fixed temperature,
layer by layer with the spreading of the heated footprint and a conductivity that follows the
temperature. It comes with a desktop editor and a command-line calculator.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# dpkg-shlibdeps finds the Qt and C++ libraries the programs link; the help documents are
# opened through the desktop's document opener.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
