# One static library per top-level folder. Sources are picked up by folder so
# that adding a unit needs no build-file edit.
function(quendrill_library name folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    "${CMAKE_SOURCE_DIR}/${folder}/*.cpp" "${CMAKE_SOURCE_DIR}/${folder}/*.c")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}")
endfunction()

# One GoogleTest program per top-level folder, labelled with the folder. CTest
# runs each program as a few shards (one process each): starting a process per
# test costs more than most tests, above all under the sanitizers.
set(QUENDRILL_TEST_SHARDS 4 CACHE STRING "CTest shards per test program")
function(quendrill_test_program name folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp")
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} test_support GTest::gtest GTest::gmock Threads::Threads)
  math(EXPR last "${QUENDRILL_TEST_SHARDS} - 1")
  foreach(index RANGE ${last})
    add_test(NAME ${name}.shard${index} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name}.shard${index} PROPERTIES
      LABELS ${folder}
      ENVIRONMENT "GTEST_TOTAL_SHARDS=${QUENDRILL_TEST_SHARDS};GTEST_SHARD_INDEX=${index}")
  endforeach()
endfunction()
