# SPDX-License-Identifier: Apache-2.0
# The Debian package, made by CPack from what cmake --install puts under /usr: stripped, its library
# dependencies found by dpkg-shlibdeps, with the copyright and changelog Debian asks for.
# Build it with `cmake --build build --target package` (build/printdialog_VERSION_ARCH.deb).
include(GNUInstallDirs)

set(TLCO_PACKAGE_MAINTAINER "printdialog maintainers <maintainers@users.noreply.c-seed-b94377cc.example>"
    CACHE STRING "Maintainer named in the Debian package")

# Compressed without a time stamp, so the same sources give the same package.
set(TLCO_PACKAGE_CHANGELOG ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(
  OUTPUT ${TLCO_PACKAGE_CHANGELOG}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/changelog > ${TLCO_PACKAGE_CHANGELOG}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog)
add_custom_target(PackageChangelog ALL DEPENDS ${TLCO_PACKAGE_CHANGELOG})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${TLCO_PACKAGE_CHANGELOG}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/printdialog)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME printdialog)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print dialog with the Color Options panel of the TESSALUMA zq4410")
# The extended description; CPack puts the summary above it and indents each line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "printdialog loads the Color Options print dialog extension, shows its panel
for a CUPS queue or a sample printer, keeps the job's colour settings and
the user's colour profiles, and prints through CUPS. It runs a window
(Qt 6) for a person or a line-oriented script with JSON output for programs.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TLCO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: Qt's platform plugins for the window.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups")
# Lintian's overrides travel in the package only, not in a plain cmake --install.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/AddLintianOverrides.cmake)
include(CPack)
