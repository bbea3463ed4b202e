# Helpers shared by every module's CMakeLists.

# telequill_hide_symbols(<target>...)
# Builds the targets with hidden symbols, inline functions included, so
# that a shared library they end up in exports only what TQ_EXPORT
# (win/export.h) marks. Every library linked into a plug-in or a loadable
# library uses it. (Position-independent code is set for the whole tree.)
function(telequill_hide_symbols)
  set_target_properties(${ARGN} PROPERTIES
    C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# telequill_add_deliverable(<base> SHARED|EXECUTABLE
#     N <model N file name> P <model P file name>
#     SOURCES ... [LIBS ...] [INCLUDES ...])
#
# Adds the deliverable twice from the same sources: target <base>_n with the
# model N definitions and output name, and <base>_p for model P. Shared
# libraries carry no "lib" prefix; their symbols are hidden unless exported
# with TQ_EXPORT (win/export.h). The entry file learns its model from
# common/build_model.h, the one reader of TELEQUILL_MODEL_N and _P.
function(telequill_add_deliverable base kind)
  cmake_parse_arguments(ARG "" "N;P" "SOURCES;LIBS;INCLUDES" ${ARGN})
  foreach(model n p)
    string(TOUPPER ${model} MODEL)
    set(target ${base}_${model})
    if(kind STREQUAL "SHARED")
      add_library(${target} SHARED ${ARG_SOURCES})
      set_target_properties(${target} PROPERTIES PREFIX "")
      telequill_hide_symbols(${target})
    elseif(kind STREQUAL "EXECUTABLE")
      add_executable(${target} ${ARG_SOURCES})
    else()
      message(FATAL_ERROR "telequill_add_deliverable: kind must be SHARED or EXECUTABLE")
    endif()
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${ARG_${MODEL}})
    target_compile_definitions(${target} PRIVATE
      TELEQUILL_MODEL_${MODEL}=1)
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
  # tq_testing carries the build's folders (TELEQUILL_BIN_DIR, ...).
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} tq_testing GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "TELEQUILL_PLUGIN_DIR=${CMAKE_BINARY_DIR}/bin")
endfunction()

# telequill_use_build_flags(<folder>)
# Links tq_build_flags (warnings, and the fuzzing build's instrumentation)
# into every target defined under <folder>, its subfolders included.
function(telequill_use_build_flags folder)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      target_link_libraries(${target} PRIVATE tq_build_flags)
    endif()
  endforeach()
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder IN LISTS subfolders)
    telequill_use_build_flags(${subfolder})
  endforeach()
endfunction()

# telequill_add_benchmark(<name> SOURCES ... LIBS ... [DEPENDS ...] [INCLUDES ...])
# A Google Benchmark program in <build>/benchmarks that reports its figures
# through tq::testing::RatioReport; `make bench` (the bench target) builds
# and runs every one and prints their figures as one table. Nothing is added
# when TELEQUILL_BENCHMARKS is off.
function(telequill_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;DEPENDS;INCLUDES" ${ARGN})
  if(NOT TELEQUILL_BENCHMARKS)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_INCLUDES)
    target_include_directories(${name} PRIVATE ${ARG_INCLUDES})
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} tq_bench_report)
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  set_property(GLOBAL APPEND PROPERTY TELEQUILL_BENCHMARK_TARGETS ${name})
endfunction()

# telequill_add_fuzz_target(<name> SOURCES ... LIBS ... CORPUS <folder> [DICT <file>])
# SOURCES define LLVMFuzzerTestOneInput; the program lands in <build>/fuzz.
# With TELEQUILL_FUZZ=ON (clang) it is a libFuzzer program with the address
# and undefined behaviour sanitizers: run `<name> <copy of the corpus>` to
# fuzz (with -dict=<file> when the target has a dictionary), or
# `make fuzz-smoke` to fuzz every target for a short time. Otherwise a main
# that replays every file of the corpus once is linked in. Either way CTest
# runs the corpus once as <name>_corpus, so the seeds keep passing in every
# build.
function(telequill_add_fuzz_target name)
  cmake_parse_arguments(ARG "" "CORPUS;DICT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_CORPUS)
    message(FATAL_ERROR "telequill_add_fuzz_target(${name}): CORPUS is required")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} tq_fuzz_support)
  if(TELEQUILL_FUZZ)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    # -runs=0: run the seeds once; without it libFuzzer would fuzz on and
    # add what it finds to the source folder.
    add_test(NAME ${name}_corpus COMMAND ${name} -runs=0 ${ARG_CORPUS})
  else()
    target_link_libraries(${name} PRIVATE tq_fuzz_replay)
    add_test(NAME ${name}_corpus COMMAND ${name} ${ARG_CORPUS})
  endif()
  # One line per target for scripts/run-fuzz.sh: program, corpus, dictionary.
  set_property(GLOBAL APPEND PROPERTY TELEQUILL_FUZZ_TARGETS
    "$<TARGET_FILE:${name}>\t${ARG_CORPUS}\t${ARG_DICT}")
  set_property(GLOBAL APPEND PROPERTY TELEQUILL_FUZZ_PROGRAMS ${name})
endfunction()

# telequill_module_targets(<folder> <variable>)
# The targets defined under <folder>, its subfolders included.
function(telequill_module_targets folder variable)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder IN LISTS subfolders)
    telequill_module_targets(${subfolder} more)
    list(APPEND targets ${more})
  endforeach()
  set(${variable} ${targets} PARENT_SCOPE)
endfunction()

# telequill_check_module_order(<module>...)
# The modules are listed in dependency order: fails the configuration when a
# library or program of one links a library of a module listed after it.
# A folder listed inside one listed before it (import/addressbook inside
# import) is a part of that module and may link the rest of it. Test code
# may use anything: the testing folder, and targets made only of sources in
# tests/, fuzz/ or benchmarks/ folders.
function(telequill_check_module_order)
  set(position 0)
  set(listed "")
  foreach(module IN LISTS ARGN)
    set(at ${position})
    foreach(before IN LISTS listed)
      if(module MATCHES "^${before}/")
        set(at ${position_of_folder_${before}})
        break()
      endif()
    endforeach()
    set(position_of_folder_${module} ${at})
    list(APPEND listed ${module})
    telequill_module_targets(${CMAKE_SOURCE_DIR}/${module} targets)
    foreach(target IN LISTS targets)
      set(position_of_${target} ${at})
      set(module_of_${target} ${module})
    endforeach()
    list(APPEND all_targets ${targets})
    math(EXPR position "${position} + 1")
  endforeach()
  set(wrong "")
  foreach(target IN LISTS all_targets)
    if(module_of_${target} STREQUAL "testing")
      continue()
    endif()
    get_target_property(sources ${target} SOURCES)
    get_target_property(folder ${target} SOURCE_DIR)
    set(test_code TRUE)
    foreach(source IN LISTS sources)
      if(NOT "${folder}/${source}" MATCHES "/(tests|fuzz|benchmarks)/" AND NOT source MATCHES "^\\$<")
        set(test_code FALSE)
      endif()
    endforeach()
    if(test_code)
      continue()
    endif()
    get_target_property(links ${target} LINK_LIBRARIES)
    get_target_property(interface_links ${target} INTERFACE_LINK_LIBRARIES)
    foreach(library IN LISTS links interface_links)
      if(DEFINED position_of_${library} AND position_of_${library} GREATER position_of_${target})
        list(APPEND wrong "${target} (${module_of_${target}}) links ${library} (${module_of_${library}})")
      endif()
    endforeach()
  endforeach()
  if(wrong)
    list(REMOVE_DUPLICATES wrong)
    list(JOIN wrong "\n  " lines)
    message(FATAL_ERROR "TELEQUILL_MODULES is not in dependency order; list each module after the ones "
                        "whose libraries it links:\n  ${lines}")
  endif()
endfunction()
