list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/pictures.h
  ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picturerefresh.h
  ${CMAKE_CURRENT_LIST_DIR}/marks.h
  ${CMAKE_CURRENT_LIST_DIR}/marks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/annotate.h
  ${CMAKE_CURRENT_LIST_DIR}/annotate.cpp
)
