# SPDX-License-Identifier: Apache-2.0
list(APPEND TLCO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HostLookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MibWalk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrinterAddress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrinterConnection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Spool.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpoolRestructure.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableRowWalk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WalkDeadline.cpp
)
