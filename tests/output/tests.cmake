list(APPEND QM_CORE_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/officereader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exportsample.cpp
  ${CMAKE_CURRENT_LIST_DIR}/csvexport_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spreadsheetexport_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ziparchive_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/worksheet_test.cpp
)
