# Shared build settings of the project's targets.

# Strict warnings for our own code.
function(kwl_set_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wshadow -Wold-style-cast -Wfloat-equal -Wno-unused-parameter)
endfunction()

# A shared library of the project: hidden symbols, an export header named
# <lowercase name>_export.h with the macro <UPPERCASE NAME>_EXPORT.
#   kwl_shared_library(<name> SOURCES ...)
# The sources are compiled once into the object library <name>_objects, which
# carries the include folders and dependencies (set them on <name>_objects).
# The shared library <name> is made from it; unit tests link <name>_objects
# directly so that they can reach classes the library does not export.
function(kwl_shared_library target)
  cmake_parse_arguments(L "" "" "SOURCES" ${ARGN})
  add_library(${target}_objects OBJECT ${L_SOURCES})
  set_target_properties(${target}_objects PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  string(TOLOWER ${target} lower)
  # The export macro switches on this define, which only our own sources see.
  set_target_properties(${target}_objects PROPERTIES DEFINE_SYMBOL ${target}_BUILDING)
  include(GenerateExportHeader)
  generate_export_header(${target}_objects
    BASE_NAME ${target}
    EXPORT_FILE_NAME ${CMAKE_CURRENT_BINARY_DIR}/generated/${lower}_export.h)
  target_compile_definitions(${target}_objects PRIVATE ${target}_BUILDING)
  target_include_directories(${target}_objects PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/generated)
  kwl_set_warnings(${target}_objects)

  add_library(${target} SHARED)
  target_link_libraries(${target} PUBLIC ${target}_objects)
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# A GoogleTest executable registered with CTest.
#   kwl_add_gtest(<name> SOURCES ... LIBRARIES ... [QT_GUI | QT_WIDGETS] [TEST_PREFIX <prefix>])
# Without QT_*, GTest's own main runs. QT_GUI makes a QGuiApplication and
# QT_WIDGETS a QApplication first (offscreen unless QT_QPA_PLATFORM is set).
# TEST_PREFIX goes before every CTest name, so that a set can be run by name.
function(kwl_add_gtest name)
  if(NOT KWL_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "QT_GUI;QT_WIDGETS" "TEST_PREFIX" "SOURCES;LIBRARIES" ${ARGN})
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
    TEST_PREFIX "${T_TEST_PREFIX}"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
