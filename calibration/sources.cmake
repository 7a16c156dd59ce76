list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/scalemath.h
  ${CMAKE_CURRENT_LIST_DIR}/scalemath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scalevalues.h
  ${CMAKE_CURRENT_LIST_DIR}/ratiomath.h
  ${CMAKE_CURRENT_LIST_DIR}/ratiomath.cpp
)
list(APPEND QM_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/scalebox.h
  ${CMAKE_CURRENT_LIST_DIR}/scalebox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unitscalepanels.h
  ${CMAKE_CURRENT_LIST_DIR}/unitscalepanels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unitscale.h
  ${CMAKE_CURRENT_LIST_DIR}/unitscale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/activescale.h
  ${CMAKE_CURRENT_LIST_DIR}/activescale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ratiocalibration.h
  ${CMAKE_CURRENT_LIST_DIR}/ratiocalibration.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cameraratio.h
  ${CMAKE_CURRENT_LIST_DIR}/cameraratio.cpp
)
