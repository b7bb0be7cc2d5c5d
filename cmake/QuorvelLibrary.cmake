# SPDX-License-Identifier: GPL-3.0-or-later
# quorvel_core_library(name DEPENDS ...): one static library per core folder made of every .cpp
# file of the folder; sources include headers as "folder/File.h".
function(quorvel_core_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;EXTRA_SOURCES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(quorvel_${name} STATIC ${sources} ${ARG_EXTRA_SOURCES})
  target_include_directories(quorvel_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src/core)
  target_link_libraries(quorvel_${name} PUBLIC ${ARG_DEPENDS})
  if(QUORVEL_WERROR)
    set_target_properties(quorvel_${name} PROPERTIES COMPILE_WARNING_AS_ERROR ON)
  endif()
endfunction()

# quorvel_test(name DEPENDS ...): one GoogleTest executable of every .cpp file of the folder,
# registered with CTest.
function(quorvel_test name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} quorvel_testsupport GTest::gtest GTest::gmock
                        GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QUORVEL_SOURCE_DIR=${PROJECT_SOURCE_DIR};QT_QPA_PLATFORM=offscreen")
endfunction()
