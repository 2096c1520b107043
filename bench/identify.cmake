# The species file loader, the three identification steps with and without the
# result list, and the matching against a flat loop.
find_package(Qt6 REQUIRED COMPONENTS Test)
qid_add_bench(identify_bench ${CMAKE_CURRENT_LIST_DIR}/identify_bench.cpp LIBS qid_shell qid_species_file Qt6::Test)
