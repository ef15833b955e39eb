# Configures the project with the tests switched off into a scratch folder
# and builds the libraries whose folders also declare tests: a build for
# installing must never need the test frameworks or the test helpers.
#   cmake -DSOURCE_DIR=... -DBINARY_DIR=... [-DGENERATOR=...] [-DMAKE_PROGRAM=...]
#         [-DBUILD_TYPE=...] [-DLAUNCHER=...] -P CheckBuildWithoutTests.cmake
foreach(required SOURCE_DIR BINARY_DIR)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "${required} is not set")
  endif()
endforeach()

set(options -DKWL_BUILD_TESTS=OFF)
if(GENERATOR)
  list(APPEND options -G "${GENERATOR}")
endif()
if(MAKE_PROGRAM)
  list(APPEND options "-DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM}")
endif()
if(BUILD_TYPE)
  list(APPEND options "-DCMAKE_BUILD_TYPE=${BUILD_TYPE}")
endif()
if(LAUNCHER)
  list(APPEND options "-DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER}")
endif()

file(REMOVE_RECURSE "${BINARY_DIR}")
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${BINARY_DIR}" ${options}
                RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "Configuring with the tests switched off failed: ${result}")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BINARY_DIR}" --target Shareguard qzXmlUtility -j 2
                RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "Building with the tests switched off failed: ${result}")
endif()

# Nothing of the tests was declared.
file(GLOB_RECURSE test_files "${BINARY_DIR}/CTestTestfile.cmake")
if(test_files)
  message(FATAL_ERROR "Tests were declared although switched off: ${test_files}")
endif()
