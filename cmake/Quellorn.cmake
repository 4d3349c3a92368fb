# Build helpers shared by the three programs.
#
#   QL_WINDOWS      building Windows executables (win32 or win64 preset)
#   QL_NATIVE       building for the host: cores, unit tests, host tools
#   QL_TEST_DRIVER  also build the Wine test drivers (win64 preset)

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(QL_WINDOWS ON)
  set(QL_NATIVE OFF)
else()
  set(QL_WINDOWS OFF)
  set(QL_NATIVE ON)
endif()

set(QL_WARNINGS -Wall -Wextra -Werror)

if(QL_NATIVE AND QL_FUZZ)
  # Cores are built with coverage feedback for libFuzzer (clang only).
  set(QL_SANITIZER_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
elseif(QL_NATIVE AND QL_SANITIZE)
  set(QL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
endif()

# GoogleTest from the sources Debian ships, built with our compiler and flags.
function(ql_use_googletest)
  if(TARGET gtest)
    return()
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  if(QL_SANITIZER_FLAGS)
    add_compile_options(${QL_SANITIZER_FLAGS})
  endif()
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endfunction()

# A platform-free core: plain C++, no windows.h. Built in every preset, so the
# Windows programs link the very code that the unit tests exercise.
function(ql_add_core name)
  add_library(${name} STATIC ${ARGN})
  target_compile_options(${name} PRIVATE ${QL_WARNINGS} ${QL_SANITIZER_FLAGS})
  target_compile_features(${name} PUBLIC cxx_std_17)
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  if(QL_WINDOWS)
    target_compile_options(${name} PRIVATE -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables)
  endif()
endfunction()

# Compile and link flags of every Windows program and library of ours: ANSI
# API, no exceptions or RTTI, small, statically linked, and marked for
# subsystem and OS version 4.0 so that Windows 95 and NT 4.0 load it.
function(ql_windows_flags target)
  target_compile_options(${target} PRIVATE ${QL_WARNINGS} -Os -fno-exceptions -fno-rtti
    -fno-asynchronous-unwind-tables -ffunction-sections -fdata-sections)
  target_compile_definitions(${target} PRIVATE WINVER=0x0400 _WIN32_WINDOWS=0x0400
    _WIN32_WINNT=0x0400 _WIN32_IE=0x0400 NOMINMAX WIN32_LEAN_AND_MEAN)
  target_compile_features(${target} PUBLIC cxx_std_17)
endfunction()

# A shipping program: ql_add_program(target OUTPUT "Name" SOURCES ... LIBS ...)
# C_RUNTIME links the compiler's C runtime in place of our entry point and C
# functions; no shipping program may, and the release check's probe of that
# fault is the one that does.
function(ql_add_program target)
  cmake_parse_arguments(P "C_RUNTIME" "OUTPUT" "SOURCES;LIBS" ${ARGN})
  if(P_C_RUNTIME)
    add_executable(${target} WIN32 ${P_SOURCES})
  else()
    # No C runtime: the programs bring their own entry point and the few C
    # functions they call (common/windows), and import from nothing but the
    # four system DLLs that every Windows has; see program_entry.cpp.
    add_executable(${target} WIN32 ${P_SOURCES}
      ${CMAKE_SOURCE_DIR}/common/windows/program_entry.cpp
      ${CMAKE_SOURCE_DIR}/common/windows/c_functions.cpp)
    target_link_options(${target} PRIVATE -nostdlib)
    # The compiler must not turn these loops back into calls of themselves.
    set_source_files_properties(${CMAKE_SOURCE_DIR}/common/windows/c_functions.cpp
      TARGET_DIRECTORY ${target} PROPERTIES COMPILE_OPTIONS "-fno-builtin;-fno-tree-loop-distribute-patterns")
  endif()
  ql_windows_flags(${target})
  target_compile_options(${target} PRIVATE -fno-threadsafe-statics)
  if(P_OUTPUT)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME "${P_OUTPUT}")
  endif()
  target_link_libraries(${target} PRIVATE ${P_LIBS} kernel32 user32 gdi32 advapi32 gcc)
  # Resource scripts find the shared application manifest here; each program's
  # script names it as resource 1 of type RT_MANIFEST (24). It asks for no
  # elevation, declares system DPI awareness (the programs scale their own
  # drawing; Windows before Vista reads no such entry) and names Vista to
  # 10/11 as supported, so that GetVersionEx tells the truth there. It
  # carries no comments: every byte of it ships in each program.
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/cmake)
  target_link_options(${target} PRIVATE -static -s -Wl,--gc-sections
    -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4 -Wl,--minor-os-version,0)
endfunction()

# The bench variant of a program, for `bench_driver stages`: the same
# sources, libraries and include folders, with bench/stage_clock.cpp wrapped
# around its WinMain to stamp the time of each start-up stage from outside.
# Call it where the program is defined; not for shipping. The wrapped name is
# the 64-bit one (the 32-bit WinMain is decorated), where the Wine drivers run.
function(ql_add_stage_variant target program)
  get_target_property(sources ${program} SOURCES)
  get_target_property(libs ${program} LINK_LIBRARIES)
  if(NOT libs)
    set(libs)
  endif()
  get_target_property(includes ${program} INCLUDE_DIRECTORIES)
  ql_add_program(${target} OUTPUT ${target}
    SOURCES ${sources} ${CMAKE_SOURCE_DIR}/bench/stage_clock.cpp LIBS ${libs})
  target_include_directories(${target} PRIVATE ${includes})
  target_link_options(${target} PRIVATE -Wl,--wrap=WinMain)
endfunction()

# A native unit test: ql_add_unit_test(target SOURCES ... LIBS ...)
function(ql_add_unit_test target)
  if(NOT QL_NATIVE OR QL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  ql_use_googletest()
  add_executable(${target} ${T_SOURCES})
  target_compile_options(${target} PRIVATE ${QL_WARNINGS} ${QL_SANITIZER_FLAGS})
  target_link_options(${target} PRIVATE ${QL_SANITIZER_FLAGS})
  target_link_libraries(${target} PRIVATE ${T_LIBS} gmock gtest_main)
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES LABELS unit)
endfunction()

# A Wine test driver:
#   ql_add_wine_test(target SOURCES ... LIBS ... [DEPENDS programs] [LANGUAGES en es fr])
# Runs under wine (CMAKE_CROSSCOMPILING_EMULATOR), one at a time, inside the
# display and wineserver that tools/run-wine-tests.sh provides.  Wine takes a
# process's default language from LC_ALL of the wine command, and children
# inherit it, so LANGUAGES registers the driver once per language: test
# suites named *_es or *_fr run in that language only, all others in the
# first language given.  Without LANGUAGES the driver runs in English.
function(ql_add_wine_test target)
  if(NOT QL_TEST_DRIVER)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;DEPENDS;LANGUAGES" ${ARGN})
  ql_use_googletest()
  add_executable(${target} ${T_SOURCES})
  target_compile_options(${target} PRIVATE ${QL_WARNINGS})
  target_compile_definitions(${target} PRIVATE NOMINMAX WIN32_LEAN_AND_MEAN)
  target_link_libraries(${target} PRIVATE ${T_LIBS} ql_wine_harness gmock gtest_main)
  target_link_options(${target} PRIVATE -static)
  if(T_DEPENDS)
    add_dependencies(${target} ${T_DEPENDS})
  endif()
  if(NOT T_LANGUAGES)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES LABELS wine RUN_SERIAL TRUE TIMEOUT 600
      ENVIRONMENT "LC_ALL=en_US.UTF-8;LANG=en_US.UTF-8")
    return()
  endif()
  list(GET T_LANGUAGES 0 first)
  set(others ${T_LANGUAGES})
  list(REMOVE_AT others 0)
  foreach(lang IN LISTS T_LANGUAGES)
    string(TOUPPER ${lang} country)
    if(lang STREQUAL "en")
      set(country US)
    endif()
    if(lang STREQUAL first)
      set(filter "-")
      foreach(other IN LISTS others)
        string(APPEND filter "*_${other}.*:")
      endforeach()
      string(REGEX REPLACE ":$" "" filter "${filter}")
    else()
      set(filter "*_${lang}.*")
    endif()
    add_test(NAME ${target}.${lang} COMMAND ${target} --gtest_filter=${filter})
    set_tests_properties(${target}.${lang} PROPERTIES LABELS wine RUN_SERIAL TRUE TIMEOUT 600
      ENVIRONMENT "LC_ALL=${lang}_${country}.UTF-8;LANG=${lang}_${country}.UTF-8")
  endforeach()
endfunction()

# A libFuzzer target: ql_add_fuzz_target(target SOURCES ... LIBS ... CORPUS dir)
# Built only in the fuzzing build (QL_FUZZ, clang). tools/fuzz.sh runs every
# target listed in fuzzers/ from a copy of its committed seed corpus.
function(ql_add_fuzz_target target)
  if(NOT QL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${F_SOURCES})
  target_compile_options(${target} PRIVATE ${QL_WARNINGS} ${QL_SANITIZER_FLAGS})
  target_link_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${target} PRIVATE ${F_LIBS})
  file(WRITE ${CMAKE_BINARY_DIR}/fuzzers/${target}.txt
    "${CMAKE_CURRENT_BINARY_DIR}/${target}\t${F_CORPUS}\n")
endfunction()
