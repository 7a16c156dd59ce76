list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/picturerows.h
  ${CMAKE_CURRENT_LIST_DIR}/raysearch.h
  ${CMAKE_CURRENT_LIST_DIR}/raysearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/circledetect.h
  ${CMAKE_CURRENT_LIST_DIR}/circledetect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/precisecircle.h
  ${CMAKE_CURRENT_LIST_DIR}/precisecircle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/brinell.h
  ${CMAKE_CURRENT_LIST_DIR}/brinell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widthheight.h
  ${CMAKE_CURRENT_LIST_DIR}/widthheight.cpp
)
