# SPDX-License-Identifier: Apache-2.0
list(APPEND TLCO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FastListReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FastListWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListEditMerge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileListCache.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlistXmlCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileListFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileListLock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileListSave.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoredListsFromTree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TLPListEdits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TLPListMaintenance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TLPListMapping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TLPListStore.cpp
)
