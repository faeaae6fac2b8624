# A Debian package of the installed tree: "cpack -G DEB" in the build folder
# (or "scripts/corvane-setup package"). The library dependencies are found by
# dpkg-shlibdeps from the programs themselves.
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "Corvane developers")
set(CPACK_PACKAGE_CONTACT "Corvane developers <corvane@dunmere-recovery.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Browse the list of files a data-recovery lab recovered for you")
set(CPACK_PACKAGE_DESCRIPTION
    "After a recovery the lab sends a file list, as a CSV file or inside a zip\n"
    "archive. Corvane opens it, shows the recovered folder tree and the files of\n"
    "each folder, narrows the list by term and status, and speaks six languages.\n"
    "corvane-list reads the same lists from a terminal.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY corvane)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.dunmere-recovery.example/")
# The icon theme the window's file icons fall back on; the Qt platform
# plugins the window needs to show at all.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, adwaita-icon-theme")

# Only what "cmake --install" puts in place, not the build helpers.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};Corvane;ALL;/")
include(CPack)
