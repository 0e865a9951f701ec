# The Debian package: `cpack -G DEB` in a build tree (scripts/package).  Its dependencies are found
# from the libraries the programs link (dpkg-shlibdeps), plus the Qt platform plugins that a windowed Qt
# program needs at run time but does not link, and the font that printed reports are laid out for.
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "League tables, match predictions and betting system back-tests")
set(CPACK_PACKAGE_DESCRIPTION "Quorvane keeps one database file per sports league with its teams, \
standings, ratings, matches and players; predicts matches with a verdict from the user's betting system; \
back-tests betting systems; judges stored predictions; and finds arbitrage between bookmakers' odds. \
quorvane-cli does the same from a terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quorvane developers")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "sqlite3, fonts-dejavu-core")
set(CPACK_GENERATOR DEB)
include(CPack)
