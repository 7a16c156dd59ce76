list(APPEND QM_CORE_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/picturefile_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/framemath_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/folderwatch_test.cpp
)
