# SPDX-License-Identifier: Apache-2.0
list(APPEND TLCO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/IconedCell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NibbleCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PDECommonProfiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileMenus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileTicketEntries.cpp
)
