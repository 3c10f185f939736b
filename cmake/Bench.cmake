# kveld_benchmarks: every name_bench.cpp (Google Benchmark, Debian's
# libbenchmark-dev) with the program library. Its main runs the benchmarks,
# then prints one line per comparison: NAME: OURS vs REFERENCE = RATIO.
find_package(benchmark REQUIRED)
add_executable(kveld_benchmarks ${KVELD_BENCH_SOURCES})
target_compile_options(kveld_benchmarks PRIVATE ${KVELD_WARNINGS})
target_include_directories(kveld_benchmarks SYSTEM PRIVATE ${DDS_INCLUDE_DIR})
target_link_libraries(kveld_benchmarks PRIVATE ${KVELD_LIBRARIES} kveld_analysis benchmark::benchmark)
