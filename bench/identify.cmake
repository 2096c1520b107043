# The species file loader, the three identification steps with and without the
# result list, and the matching against a flat loop.
find_package(Qt6 REQUIRED COMPONENTS Test)
qid_add_bench(identify_bench ${CMAKE_CURRENT_LIST_DIR}/identify_bench.cpp LIBS qid_shell qid_datagen Qt6::Test)

# Start-up to the first paint against an empty window of the same size: each
# probe starts one of them; the benchmark runs them as processes of their own.
add_executable(startup_probe ${CMAKE_CURRENT_LIST_DIR}/startup_probe.cpp)
target_link_libraries(startup_probe PRIVATE qid_shell)
add_executable(startup_probe_empty ${CMAKE_CURRENT_LIST_DIR}/startup_probe.cpp)
target_link_libraries(startup_probe_empty PRIVATE Qt6::Widgets)
target_compile_definitions(startup_probe_empty PRIVATE QID_EMPTY_WINDOW)
# The program's probe runs from the program folder, beside qid.dta and graphics/.
set_target_properties(startup_probe startup_probe_empty PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QID_PROGRAM_DIR})
add_dependencies(startup_probe program_folder)
qid_add_bench(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp LIBS)
add_dependencies(startup_bench startup_probe startup_probe_empty)
