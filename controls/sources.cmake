# SPDX-License-Identifier: Apache-2.0
list(APPEND TLCO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/KeyFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TLTextField.cpp
)
