list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/cleantiles.h
  ${CMAKE_CURRENT_LIST_DIR}/cleantiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures.h
  ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picturerefresh.h
  ${CMAKE_CURRENT_LIST_DIR}/marks.h
  ${CMAKE_CURRENT_LIST_DIR}/marks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/annotate.h
  ${CMAKE_CURRENT_LIST_DIR}/annotate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/magnifier.h
  ${CMAKE_CURRENT_LIST_DIR}/magnifier.cpp
)
list(APPEND QM_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/zoomin.h
  ${CMAKE_CURRENT_LIST_DIR}/zoomin.cpp
)
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/displayoptions.h
)
list(APPEND QM_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/displayoptionscontroller.h
  ${CMAKE_CURRENT_LIST_DIR}/displayoptionscontroller.cpp
  ${CMAKE_CURRENT_LIST_DIR}/refreshcontroller.h
  ${CMAKE_CURRENT_LIST_DIR}/refreshcontroller.cpp
)
