# What `cmake --graphviz` draws (docs/libraries.dot): the vireo_* libraries and their links, no
# programs, tests, benchmarks or outside libraries.
set(GRAPHVIZ_GRAPH_NAME "vireo_libraries")
set(GRAPHVIZ_EXECUTABLES FALSE)
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_INTERFACE_LIBS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "^vireo_test_support" "^vireo_audio_test_support" "^vireo_bench")
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
