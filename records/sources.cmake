list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/database.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sqlbind.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dataset.cpp
  ${CMAKE_CURRENT_LIST_DIR}/datasetmodel.cpp
)
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/datasets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/measurementstore.cpp
)
