list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/exportdata.h
  ${CMAKE_CURRENT_LIST_DIR}/exportfields.h
  ${CMAKE_CURRENT_LIST_DIR}/exportfields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/csvexport.h
  ${CMAKE_CURRENT_LIST_DIR}/csvexport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ziparchive.h
  ${CMAKE_CURRENT_LIST_DIR}/ziparchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xmlparts.h
  ${CMAKE_CURRENT_LIST_DIR}/xmlparts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/worksheet.h
  ${CMAKE_CURRENT_LIST_DIR}/worksheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/workbook.h
  ${CMAKE_CURRENT_LIST_DIR}/workbook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spreadsheettemplate.h
  ${CMAKE_CURRENT_LIST_DIR}/spreadsheettemplate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spreadsheetexport.h
  ${CMAKE_CURRENT_LIST_DIR}/spreadsheetexport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reportpicture.h
  ${CMAKE_CURRENT_LIST_DIR}/reportpicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reportlayout.h
  ${CMAKE_CURRENT_LIST_DIR}/reportlayout.cpp
)
# Writes the default spreadsheet template at build time (output/template.cmake).
list(APPEND QM_TOOL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/maketemplate.cpp
)
