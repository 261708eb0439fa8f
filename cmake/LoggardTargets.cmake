# Helpers shared by every folder: one way to declare a core library,
# a test executable and a benchmark.

# loggard_add_library(name SOURCES ... [DEPS ...])
# A GUI-free core library; its folder's parent (src/) is the include root,
# so code includes "container/data_container.h".
function(loggard_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# loggard_add_test(name SOURCES ... [DEPS ...])
# One GoogleTest executable; every case is registered with CTest on its own.
function(loggard_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  find_package(GTest REQUIRED)
  include(GoogleTest)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    LOGGARD_CORPUS_DIR="${LOGGARD_CORPUS_DIR}"
    LOGGARD_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    LOGGARD_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8")
endfunction()

# loggard_add_bench(name SOURCES ... [DEPS ...])
function(loggard_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# loggard_add_qt_test(name SOURCES ... [DEPS ...])
# One Qt Test executable for windows and dialogs, run on the offscreen
# platform so that no display is needed.
function(loggard_add_qt_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  find_package(Qt6 REQUIRED COMPONENTS Test Widgets)
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} Qt6::Test Qt6::Widgets)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    LOGGARD_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    LOGGARD_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
