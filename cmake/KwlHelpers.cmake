# Shared build settings of the project's targets.

# Strict warnings for our own code.
function(kwl_set_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wshadow -Wold-style-cast -Wfloat-equal -Wno-unused-parameter)
endfunction()

# A shared library of the project: hidden symbols, an export header named
# <name>_export.h with the macro <NAME>_EXPORT.
function(kwl_shared_library target)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  include(GenerateExportHeader)
  string(TOLOWER ${target} lower)
  generate_export_header(${target}
    BASE_NAME ${target}
    EXPORT_FILE_NAME ${CMAKE_CURRENT_BINARY_DIR}/generated/${lower}_export.h)
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/generated)
  kwl_set_warnings(${target})
endfunction()

# A GoogleTest executable registered with CTest.
#   kwl_add_gtest(<name> SOURCES ... LIBRARIES ... [QT_GUI | QT_WIDGETS])
# Without QT_*, GTest's own main runs. QT_GUI makes a QGuiApplication and
# QT_WIDGETS a QApplication first (offscreen unless QT_QPA_PLATFORM is set).
function(kwl_add_gtest name)
  if(NOT KWL_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "QT_GUI;QT_WIDGETS" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBRARIES} GTest::gtest GTest::gmock)
  if(T_QT_WIDGETS)
    target_link_libraries(${name} PRIVATE Kwl::test_main_widgets)
  elseif(T_QT_GUI)
    target_link_libraries(${name} PRIVATE Kwl::test_main_gui)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  kwl_set_warnings(${name})
  # Discovery runs when ctest starts, not at build time, so a build never
  # needs a display or touches the user's files.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
