# The page engine against Qt's own text layout on a report-like page, and the
# cost per word of one long paragraph.
qid_add_bench(pagelayout_bench
  ${CMAKE_CURRENT_LIST_DIR}/pagelayout_bench.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_like_page.cpp
  LIBS qid_pagelayout qid_printer)
