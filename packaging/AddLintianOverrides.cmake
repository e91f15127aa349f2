# SPDX-License-Identifier: Apache-2.0
# Run by CPack on the staged package: adds lintian's overrides for the tags the package keeps.
set(overrides ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/share/lintian/overrides)
file(MAKE_DIRECTORY ${overrides})
file(COPY_FILE ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides ${overrides}/printdialog)
