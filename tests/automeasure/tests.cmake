list(APPEND QM_CORE_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/circledetect_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/precisecircle_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/brinell_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widthheight_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/iso6506_test.cpp
)
