list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/raysearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/circledetect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/precisecircle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/brinell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widthheight.cpp
)
