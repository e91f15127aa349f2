# SPDX-License-Identifier: Apache-2.0
list(APPEND TLCO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CompoundTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ControlTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ControlValues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PpdChoices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PpdControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PpdEncoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileChoiceKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Summary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TicketSync.cpp
)
