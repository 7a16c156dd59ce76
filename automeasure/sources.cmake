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
  ${CMAKE_CURRENT_LIST_DIR}/iso6506.h
  ${CMAKE_CURRENT_LIST_DIR}/iso6506.cpp
)
# The hardness panel's reactions.
list(APPEND QM_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/hardnesswidgets.h
  ${CMAKE_CURRENT_LIST_DIR}/hardnesswidgets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardnesscontroller.h
  ${CMAKE_CURRENT_LIST_DIR}/hardnesscontroller.cpp
  ${CMAKE_CURRENT_LIST_DIR}/circlecontroller.h
  ${CMAKE_CURRENT_LIST_DIR}/circlecontroller.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widthheightcontroller.h
  ${CMAKE_CURRENT_LIST_DIR}/widthheightcontroller.cpp
)
