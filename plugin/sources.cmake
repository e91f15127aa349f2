# SPDX-License-Identifier: Apache-2.0
list(APPEND TLCO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Classes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PDECommonDiscovery.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PDEPlugIn.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PDEPlugInInterface.cpp
)
