list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/canvas.h
  ${CMAKE_CURRENT_LIST_DIR}/canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/color.h
  ${CMAKE_CURRENT_LIST_DIR}/numberformat.h
  ${CMAKE_CURRENT_LIST_DIR}/numberformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/numberparse.h
  ${CMAKE_CURRENT_LIST_DIR}/numberparse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/programerror.h
  ${CMAKE_CURRENT_LIST_DIR}/programpaths.h
)
