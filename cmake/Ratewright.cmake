# Helpers shared by the test, benchmark and tool folders.

find_package(GTest)
find_package(benchmark)

# Adds every direct subfolder of the current source folder that has a CMakeLists.txt.
function(ratewright_add_subfolders)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
         ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
    foreach(child ${children})
        if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
           AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()

# ratewright_gtest(NAME SOURCES... LIBS ...): a GoogleTest executable registered with CTest.
function(ratewright_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
endfunction()

# ratewright_qtest(NAME SOURCES... LIBS ...): a QtTest executable run on the offscreen platform.
function(ratewright_qtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime;LC_ALL=C.UTF-8")
endfunction()

# ratewright_benchmark(NAME SOURCES... LIBS ...): a Google Benchmark executable; CTest runs it
# once briefly as a smoke test (label "bench"), real measurements are run by hand.
function(ratewright_benchmark name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
    add_test(NAME ${name}-smoke COMMAND ${name} --benchmark_min_time=0.001)
    set_tests_properties(${name}-smoke PROPERTIES LABELS bench)
endfunction()
