list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/database.h
  ${CMAKE_CURRENT_LIST_DIR}/database.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sqlbind.h
  ${CMAKE_CURRENT_LIST_DIR}/sqlbind.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sqlcatalogue.h
  ${CMAKE_CURRENT_LIST_DIR}/dataset.h
  ${CMAKE_CURRENT_LIST_DIR}/dataset.cpp
  ${CMAKE_CURRENT_LIST_DIR}/datasetmodel.h
  ${CMAKE_CURRENT_LIST_DIR}/datasetmodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/datasets.h
  ${CMAKE_CURRENT_LIST_DIR}/datasets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transaction.h
  ${CMAKE_CURRENT_LIST_DIR}/transaction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/measurementobject.h
  ${CMAKE_CURRENT_LIST_DIR}/measurementstore.h
  ${CMAKE_CURRENT_LIST_DIR}/measurementstore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/labelselection.h
  ${CMAKE_CURRENT_LIST_DIR}/currentworkorder.h
  ${CMAKE_CURRENT_LIST_DIR}/currentpart.h
  ${CMAKE_CURRENT_LIST_DIR}/workorderquery.h
  ${CMAKE_CURRENT_LIST_DIR}/newworkorder.h
  ${CMAKE_CURRENT_LIST_DIR}/workorderscale.h
  ${CMAKE_CURRENT_LIST_DIR}/workorderlisting.h
  ${CMAKE_CURRENT_LIST_DIR}/workorderlisting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/workordertitle.h
  ${CMAKE_CURRENT_LIST_DIR}/workorderstore.h
  ${CMAKE_CURRENT_LIST_DIR}/workorderstore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/measurementrows.h
  ${CMAKE_CURRENT_LIST_DIR}/measurementrows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/catalogue.h
  ${CMAKE_CURRENT_LIST_DIR}/catalogue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/selectionstatistics.h
  ${CMAKE_CURRENT_LIST_DIR}/selectionstatistics.cpp
)
# The window controllers of the records: work orders, the measurement list, products and parts, the
# quick statistic.
list(APPEND QM_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/workorders.h
  ${CMAKE_CURRENT_LIST_DIR}/workorders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/measurementlist.h
  ${CMAKE_CURRENT_LIST_DIR}/measurementlist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/products.h
  ${CMAKE_CURRENT_LIST_DIR}/products.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statistics.h
  ${CMAKE_CURRENT_LIST_DIR}/statistics.cpp
)
