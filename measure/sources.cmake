list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/kinds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clicks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/caption.cpp
)
list(APPEND QM_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/measuring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/labels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/persistence.cpp
)
