# The batch tool on 1,000 trees against the shipped species file and a file
# of 32,767 species, as a process of its own from start to end, and the
# identification of the same trees in the process on one thread and on all;
# the tool streaming 1,000 to 100,000 trees against 32,767 species, with its
# peak memory.
qid_add_bench(batch_bench ${CMAKE_CURRENT_LIST_DIR}/batch_bench.cpp LIBS qid_batch qid_datagen)
target_compile_definitions(batch_bench PRIVATE QID_BATCH_TOOL="$<TARGET_FILE:quenla-id-batch>")
add_dependencies(batch_bench quenla-id-batch)
