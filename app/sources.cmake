list(APPEND QM_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/mainstate.h
  ${CMAKE_CURRENT_LIST_DIR}/main.h
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainmenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/outputs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pages.h
  ${CMAKE_CURRENT_LIST_DIR}/pagehelpers.h
  ${CMAKE_CURRENT_LIST_DIR}/measuringpage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/displaypanels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardnesspanel.h
  ${CMAKE_CURRENT_LIST_DIR}/hardnesspanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/workorderpanels.h
  ${CMAKE_CURRENT_LIST_DIR}/workorderpanels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/productpanels.h
  ${CMAKE_CURRENT_LIST_DIR}/productpanels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statisticspanel.h
  ${CMAKE_CURRENT_LIST_DIR}/statisticspanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/aboutbox.h
  ${CMAKE_CURRENT_LIST_DIR}/aboutbox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help.h
  ${CMAKE_CURRENT_LIST_DIR}/help.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stationpanels.h
  ${CMAKE_CURRENT_LIST_DIR}/capturepage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ratiopanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainstation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settingsfile.h
  ${CMAKE_CURRENT_LIST_DIR}/settingsfile.cpp
)
# The program's entry, the one source of the executable.
list(APPEND QM_ENTRY_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/entry.cpp
)
