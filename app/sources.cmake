list(APPEND QM_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainmenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainpages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainrecords.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/aboutbox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help.cpp
)
list(APPEND QM_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings.cpp)
