list(APPEND QM_CORE_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/numberformat_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/canvas_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encoding_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/inifile_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gridlayout_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lockedfolder.cpp
)
