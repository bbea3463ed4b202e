# Helpers shared by every module's CMakeLists.

# telequill_add_deliverable(<base> SHARED|EXECUTABLE
#     N <model N file name> P <model P file name>
#     SOURCES ... [LIBS ...] [INCLUDES ...])
#
# Adds the deliverable twice from the same sources: target <base>_n with the
# model N definitions and output name, and <base>_p for model P. Shared
# libraries carry no "lib" prefix; their symbols are hidden unless exported
# with TQ_EXPORT.
function(telequill_add_deliverable base kind)
  cmake_parse_arguments(ARG "" "N;P" "SOURCES;LIBS;INCLUDES" ${ARGN})
  foreach(model n p)
    string(TOUPPER ${model} MODEL)
    set(target ${base}_${model})
    if(kind STREQUAL "SHARED")
      add_library(${target} SHARED ${ARG_SOURCES})
      set_target_properties(${target} PROPERTIES PREFIX ""
        C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
    elseif(kind STREQUAL "EXECUTABLE")
      add_executable(${target} ${ARG_SOURCES})
    else()
      message(FATAL_ERROR "telequill_add_deliverable: kind must be SHARED or EXECUTABLE")
    endif()
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${ARG_${MODEL}})
    target_compile_definitions(${target} PRIVATE
      TELEQUILL_MODEL_${MODEL}=1 TELEQUILL_MODEL_LETTER='${model}')
    if(ARG_LIBS)
      target_link_libraries(${target} PRIVATE ${ARG_LIBS})
    endif()
    if(ARG_INCLUDES)
      target_include_directories(${target} PRIVATE ${ARG_INCLUDES})
    endif()
  endforeach()
endfunction()

# telequill_add_test(<name> SOURCES ... LIBS ...)
# A GoogleTest executable registered with CTest. Each test gets a fresh
# TELEQUILL_ROOT from the test fixture (see common/tests support), and the
# build's bin folder is exported so that tests can find programs and plug-ins.
function(telequill_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    TELEQUILL_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    TELEQUILL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    TELEQUILL_TEST_TMP="${CMAKE_BINARY_DIR}/test-tmp")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "TELEQUILL_PLUGIN_DIR=${CMAKE_BINARY_DIR}/bin")
endfunction()
