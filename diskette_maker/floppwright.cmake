# Floppwright's creation procedure, window and program, and their tests.
# Included at the end of diskette_maker/CMakeLists.txt, after the core, the
# Win32 library and the Record blocks are defined there.

target_sources(diskette_maker_core PRIVATE
  core/creation_plan.cpp
  core/source_lists.cpp
  core/window_rules.cpp
)

# The program needs the raw-disk and startup-file steps of the Win32 library.
if(QL_WINDOWS AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/windows/raw_disk.h
   AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/windows/startup_files.h)
  ql_add_program(floppwright OUTPUT Floppwright
    SOURCES
      windows/floppwright_main.cpp
      windows/main_window.cpp
      windows/product_dialog.cpp
      windows/dialog_text.cpp
      windows/create_setup_diskette.cpp
      Floppwright.rc
    LIBS diskette_maker_win shell32)
  target_include_directories(floppwright PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  set_property(SOURCE Floppwright.rc APPEND PROPERTY OBJECT_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/art/floppwright.ico ${CMAKE_CURRENT_SOURCE_DIR}/resource.h)
  dm_use_records(floppwright ${CMAKE_CURRENT_SOURCE_DIR}/Floppwright.rc)
endif()

ql_add_unit_test(floppwright_tests
  SOURCES
    tests/fake_creation_front_end.cpp
    tests/creation_plan_test.cpp
    tests/source_lists_test.cpp
    tests/window_rules_test.cpp
    tests/string_table_test.cpp
  LIBS diskette_maker_core)
if(TARGET floppwright_tests)
  target_compile_definitions(floppwright_tests PRIVATE
    FLOPPWRIGHT_RC="${CMAKE_CURRENT_SOURCE_DIR}/Floppwright.rc")
endif()
