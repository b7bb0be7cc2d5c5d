# quorvel_core_library(name SOURCES ... DEPENDS ...)
# One static library per core folder; sources include headers as "folder/File.h".
function(quorvel_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(quorvel_${name} STATIC ${ARG_SOURCES})
  target_include_directories(quorvel_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src/core)
  target_link_libraries(quorvel_${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# quorvel_test(name SOURCES ... DEPENDS ...): one GoogleTest executable registered with CTest.
function(quorvel_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} quorvel_testsupport GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QUORVEL_DATASETS=${QUORVEL_DATASETS_DIR};QUORVEL_SOURCE_DIR=${PROJECT_SOURCE_DIR};QT_QPA_PLATFORM=offscreen")
endfunction()
