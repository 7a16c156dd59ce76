list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/picturefile.h
  ${CMAKE_CURRENT_LIST_DIR}/pictureio.h
  ${CMAKE_CURRENT_LIST_DIR}/picturefile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpegfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bitmapfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/framemath.h
  ${CMAKE_CURRENT_LIST_DIR}/framemath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frameconvert.h
  ${CMAKE_CURRENT_LIST_DIR}/frameconvert.cpp
  ${CMAKE_CURRENT_LIST_DIR}/testpattern.h
  ${CMAKE_CURRENT_LIST_DIR}/testpattern.cpp
  ${CMAKE_CURRENT_LIST_DIR}/folderwatch.h
  ${CMAKE_CURRENT_LIST_DIR}/folderwatch.cpp
)
list(APPEND QM_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/picturefiles.h
  ${CMAKE_CURRENT_LIST_DIR}/picturefiles.cpp
)
# The camera side: Qt Multimedia, so it stays out of the GUI-free core.
list(APPEND QM_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/videoframe.h
  ${CMAKE_CURRENT_LIST_DIR}/videoframe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capturepreview.h
  ${CMAKE_CURRENT_LIST_DIR}/capturepreview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capturedevice.h
  ${CMAKE_CURRENT_LIST_DIR}/capturedevice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capturechoice.h
  ${CMAKE_CURRENT_LIST_DIR}/capturechoice.cpp
)
