list(APPEND QM_CORE_TEST_SOURCES ${CMAKE_CURRENT_LIST_DIR}/database_test.cpp ${CMAKE_CURRENT_LIST_DIR}/dataset_test.cpp)
list(APPEND QM_CORE_TEST_SOURCES ${CMAKE_CURRENT_LIST_DIR}/selectionstatistics_test.cpp)
