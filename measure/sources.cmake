list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/kinds.h
  ${CMAKE_CURRENT_LIST_DIR}/kinds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/geometry.h
  ${CMAKE_CURRENT_LIST_DIR}/geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clicks.h
  ${CMAKE_CURRENT_LIST_DIR}/clicks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/caption.h
  ${CMAKE_CURRENT_LIST_DIR}/caption.cpp
  ${CMAKE_CURRENT_LIST_DIR}/measuringstate.h
  ${CMAKE_CURRENT_LIST_DIR}/measurementsink.h
)
list(APPEND QM_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/measuring.h
  ${CMAKE_CURRENT_LIST_DIR}/measuring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text.h
  ${CMAKE_CURRENT_LIST_DIR}/text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/measurementlabel.h
  ${CMAKE_CURRENT_LIST_DIR}/measurementlabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/labels.h
  ${CMAKE_CURRENT_LIST_DIR}/labels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/persistence.h
  ${CMAKE_CURRENT_LIST_DIR}/persistence.cpp
)
