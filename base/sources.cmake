list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/numberformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encoding.cpp
)
