# Drawing targets of the page engine. qid_draw has no printing and no widgets:
# the abstract target, the picture loader, the preview surface (a QImage) and
# the fixed-metric recording target. qid_printer adds the printer.
add_library(qid_draw STATIC
  ${CMAKE_CURRENT_LIST_DIR}/draw_target.cpp
  ${CMAKE_CURRENT_LIST_DIR}/painter_target.cpp
  ${CMAKE_CURRENT_LIST_DIR}/surface_target.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_target.cpp
  ${CMAKE_CURRENT_LIST_DIR}/measure_target.cpp
)
target_link_libraries(qid_draw PUBLIC Qt6::Core Qt6::Gui)

add_library(qid_printer STATIC ${CMAKE_CURRENT_LIST_DIR}/printer_target.cpp)
target_link_libraries(qid_printer PUBLIC qid_draw Qt6::PrintSupport)
