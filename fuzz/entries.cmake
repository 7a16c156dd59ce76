# The fuzz targets' entry functions and the seed writer. The fuzz build links them into libFuzzer
# drivers; the normal build into a program that replays the kept inputs as a test.
include_guard(GLOBAL)
add_library(quillmont_fuzz_entries STATIC
  ${CMAKE_CURRENT_LIST_DIR}/fuzzentry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/memoryfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settingsentry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gridlayoutentry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/templateentry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/workbookparts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictureentry.cpp
)
quillmont_target_defaults(quillmont_fuzz_entries)
target_link_libraries(quillmont_fuzz_entries PUBLIC quillmont_core PRIVATE libjpeg-turbo::turbojpeg)

add_executable(quillmont_fuzz_seeds ${CMAKE_CURRENT_LIST_DIR}/makeseeds.cpp ${CMAKE_CURRENT_LIST_DIR}/bitmapseeds.cpp)
quillmont_target_defaults(quillmont_fuzz_seeds)
target_link_libraries(quillmont_fuzz_seeds PRIVATE quillmont_fuzz_entries libjpeg-turbo::turbojpeg)
