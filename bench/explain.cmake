# Why species were rejected and what to look at next for one tree at 32,767
# species, against the plain cascade; the data check against comparing
# every pair of species.
qid_add_bench(explain_bench ${CMAKE_CURRENT_LIST_DIR}/explain_bench.cpp LIBS qid_identify_core qid_datagen)
