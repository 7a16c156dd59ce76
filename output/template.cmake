# The default spreadsheet template is made by our own writer and placed beside the program (the
# executable lands in this binary folder), where the export looks for it.
add_executable(quillmont_template ${QM_TOOL_SOURCES})
quillmont_target_defaults(quillmont_template)
target_link_libraries(quillmont_template PRIVATE quillmont_core)

set(QM_TEMPLATE ${CMAKE_CURRENT_BINARY_DIR}/Measure_Empty.xlsx)
add_custom_command(
  OUTPUT ${QM_TEMPLATE}
  COMMAND quillmont_template ${QM_TEMPLATE}
  DEPENDS quillmont_template
  COMMENT "Writing the default spreadsheet template"
  VERBATIM)
add_custom_target(quillmont_default_template ALL DEPENDS ${QM_TEMPLATE})
