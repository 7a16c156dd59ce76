list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/pictures.h
  ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picturerefresh.h
)
