list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/exportfields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/csvexport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ziparchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xmlparts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/worksheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/workbook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spreadsheettemplate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spreadsheetexport.cpp
)
