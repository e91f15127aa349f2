# SPDX-License-Identifier: Apache-2.0
list(APPEND TLCO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AdvancedColorOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorConstraints.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OptionsView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PainChangeController.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuickColorPreset.cpp
)
