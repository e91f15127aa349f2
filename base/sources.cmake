# SPDX-License-Identifier: Apache-2.0
list(APPEND TLCO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Localize.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PDELog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrinterProtocol.cpp
)
