list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/picturefile.h
  ${CMAKE_CURRENT_LIST_DIR}/pictureio.h
  ${CMAKE_CURRENT_LIST_DIR}/picturefile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpegfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bitmapfile.cpp
)
list(APPEND QM_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/picturefiles.h
  ${CMAKE_CURRENT_LIST_DIR}/picturefiles.cpp
)
