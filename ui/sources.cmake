# What every window controller uses; below the controllers, above the GUI-free core.
list(APPEND QM_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scripteddialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/scripteddialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/guarded.h
  ${CMAKE_CURRENT_LIST_DIR}/widgets.h
  ${CMAKE_CURRENT_LIST_DIR}/pictureview.h
  ${CMAKE_CURRENT_LIST_DIR}/pictureview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shape.h
  ${CMAKE_CURRENT_LIST_DIR}/shape.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stripbutton.h
  ${CMAKE_CURRENT_LIST_DIR}/stripbutton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/updown.h
  ${CMAKE_CURRENT_LIST_DIR}/updown.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grids.h
  ${CMAKE_CURRENT_LIST_DIR}/grids.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recordnavigator.h
  ${CMAKE_CURRENT_LIST_DIR}/recordnavigator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gridlayouts.h
  ${CMAKE_CURRENT_LIST_DIR}/gridlayouts.cpp
)
