# Floppwright's creation procedure, window and program, and their tests.
# Included at the end of diskette_maker/CMakeLists.txt, after the core, the
# Win32 library and the Record blocks are defined there.

target_sources(diskette_maker_core PRIVATE
  core/creation_plan.cpp
  core/drive_warning.cpp
  core/fat12_image.cpp
  core/image_front_end.cpp
  core/image_option.cpp
  core/source_lists.cpp
  core/window_rules.cpp
)

if(QL_WINDOWS)
  ql_add_program(floppwright OUTPUT Floppwright
    SOURCES
      windows/floppwright_main.cpp
      windows/main_window.cpp
      windows/product_dialog.cpp
      windows/dialog_text.cpp
      windows/create_setup_diskette.cpp
      windows/create_diskette_image.cpp
      windows/win32_host_files.cpp
      Floppwright.rc
    LIBS diskette_maker_win)
  target_include_directories(floppwright PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  set_property(SOURCE Floppwright.rc APPEND PROPERTY OBJECT_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/art/floppwright.ico ${CMAKE_CURRENT_SOURCE_DIR}/resource.h)
  dm_use_records(floppwright ${CMAKE_CURRENT_SOURCE_DIR}/Floppwright.rc)
  if(QL_TEST_DRIVER)
    ql_add_stage_variant(floppwright_stages floppwright)
    dm_use_records(floppwright_stages ${CMAKE_CURRENT_SOURCE_DIR}/Floppwright.rc)
  endif()
endif()

ql_add_unit_test(floppwright_tests
  SOURCES
    tests/fake_creation_front_end.cpp
    tests/creation_plan_test.cpp
    tests/drive_warning_test.cpp
    tests/source_lists_test.cpp
    tests/window_rules_test.cpp
    tests/string_table_test.cpp
    tests/image_option_test.cpp
  LIBS diskette_maker_core)
if(TARGET floppwright_tests)
  target_compile_definitions(floppwright_tests PRIVATE
    FLOPPWRIGHT_RC="${CMAKE_CURRENT_SOURCE_DIR}/Floppwright.rc")
endif()

# End to end under Wine, then the MS-DOS diskette it made is booted in qemu.
# The boot test's stand-in system file plays the emergency-boot IO.SYS.
if(TARGET floppwright AND TARGET ql_wine_harness)
  set(FW_BOOT_DIR ${CMAKE_CURRENT_BINARY_DIR}/floppwright_boot)
  add_custom_command(OUTPUT ${FW_BOOT_DIR}/payload.bin
    COMMAND ${CMAKE_COMMAND} -E make_directory ${FW_BOOT_DIR}
    COMMAND ${NASM} -f bin -Werror -I ${CMAKE_CURRENT_SOURCE_DIR}/tests/boot/
      -o ${FW_BOOT_DIR}/payload.bin ${CMAKE_CURRENT_SOURCE_DIR}/tests/boot/payload.asm
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/boot/payload.asm
      ${CMAKE_CURRENT_SOURCE_DIR}/tests/boot/debug_console.inc
    COMMENT "Assembling the stand-in IO.SYS")
  add_custom_target(floppwright_boot_payload DEPENDS ${FW_BOOT_DIR}/payload.bin)

  # Reads the window's system menu from inside the program.
  add_library(system_menu_probe SHARED tests/wine/system_menu_probe_dll.cpp)
  set_target_properties(system_menu_probe PROPERTIES PREFIX "")
  target_compile_options(system_menu_probe PRIVATE ${QL_WARNINGS})
  target_link_options(system_menu_probe PRIVATE -static)

  ql_add_wine_test(floppwright_wine_tests
    SOURCES tests/wine/floppwright_wine_test.cpp
    DEPENDS floppwright floppwright_boot_payload system_menu_probe
    LANGUAGES en fr)
  target_compile_definitions(floppwright_wine_tests PRIVATE
    FLOPPWRIGHT_EXE="$<TARGET_FILE:floppwright>"
    SYSTEM_MENU_PROBE_DLL="$<TARGET_FILE:system_menu_probe>"
    BOOT_PAYLOAD="${FW_BOOT_DIR}/payload.bin"
    BOOT_DISKETTE_DIR="${FW_BOOT_DIR}/diskette"
    QL_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/../screenshots")
  set_tests_properties(floppwright_wine_tests.en PROPERTIES FIXTURES_SETUP floppwright_made_diskette)

  find_program(PYTHON3 python3 REQUIRED)
  add_test(NAME floppwright_made_diskette_boots
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/tests/boot/made_diskette_boots.py
      --diskette ${FW_BOOT_DIR}/diskette --program $<TARGET_FILE:floppwright>
      --work ${FW_BOOT_DIR}/work)
  set_tests_properties(floppwright_made_diskette_boots PROPERTIES
    FIXTURES_REQUIRED floppwright_made_diskette LABELS "wine;boot" TIMEOUT 120)
endif()

# floppwright-image: the same diskette as an image file, made on the build
# machine (image_tool/). It carries the Record blocks compiled in.
if(QL_NATIVE AND NOT QL_FUZZ)
  set(FW_EMBEDDED ${CMAKE_CURRENT_BINARY_DIR}/embedded_records.cpp)
  add_custom_command(OUTPUT ${FW_EMBEDDED}
    COMMAND ${CMAKE_COMMAND} -DRECORD_DIR=${DM_RECORD_DIR} -DOUT=${FW_EMBEDDED}
      -P ${CMAKE_CURRENT_SOURCE_DIR}/image_tool/embed_records.cmake
    DEPENDS ${DM_RECORD_FILES} ${CMAKE_CURRENT_SOURCE_DIR}/image_tool/embed_records.cmake
    COMMENT "Compiling the Record blocks into floppwright-image")
  add_executable(floppwright_image
    image_tool/floppwright_image.cpp
    image_tool/posix_host_files.cpp
    ${FW_EMBEDDED})
  set_target_properties(floppwright_image PROPERTIES OUTPUT_NAME floppwright-image)
  target_compile_options(floppwright_image PRIVATE ${QL_WARNINGS} ${QL_SANITIZER_FLAGS})
  target_link_options(floppwright_image PRIVATE ${QL_SANITIZER_FLAGS})
  target_include_directories(floppwright_image PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(floppwright_image PRIVATE diskette_maker_core)

  # The same tool optimised and without the sanitizers, for `make bench`.
  add_executable(floppwright_image_bench
    image_tool/floppwright_image.cpp
    image_tool/posix_host_files.cpp
    ${FW_EMBEDDED}
    core/fat12_image.cpp core/image_front_end.cpp core/creation_plan.cpp core/source_lists.cpp
    core/path_list.cpp core/startup_files.cpp core/raw_diskette.cpp core/platform_kind.cpp
    core/run_settings.cpp)
  set_target_properties(floppwright_image_bench PROPERTIES OUTPUT_NAME floppwright-image
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_compile_options(floppwright_image_bench PRIVATE ${QL_WARNINGS} -O2)
  target_include_directories(floppwright_image_bench PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
endif()

# floppwright-image against readers that are not ours: fsck.fat, mtools and
# qemu booting the MS-DOS images through our boot sector.
if(TARGET floppwright_image)
  find_program(PYTHON3 python3 REQUIRED)
  foreach(case every_image long_names boots replaced_and_moved from_the_iso refusals)
    add_test(NAME floppwright_image_${case}
      COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/tests/image/image_tests.py
        --tool $<TARGET_FILE:floppwright_image> --cd-tree ${CMAKE_SOURCE_DIR}/tools/cd-tree.py
        --records ${DM_RECORD_DIR} --payload ${CMAKE_CURRENT_SOURCE_DIR}/tests/boot/payload.asm
        --nasm ${NASM} --work ${CMAKE_CURRENT_BINARY_DIR}/image_tests ${case})
    set_tests_properties(floppwright_image_${case} PROPERTIES LABELS image TIMEOUT 300)
  endforeach()
endif()

# Floppwright -image under Wine; the images it leaves are made again by the
# native build's floppwright-image and must come out byte for byte the same.
if(TARGET floppwright AND TARGET ql_wine_harness)
  set(FW_IMAGE_KEEP ${CMAKE_CURRENT_BINARY_DIR}/image_wine)
  ql_add_wine_test(floppwright_image_wine_tests
    SOURCES tests/wine/image_wine_test.cpp
    DEPENDS floppwright floppwright_boot_payload)
  target_compile_definitions(floppwright_image_wine_tests PRIVATE
    BOOT_PAYLOAD="${FW_BOOT_DIR}/payload.bin"
    IMAGE_KEEP_DIR="${FW_IMAGE_KEEP}"
    QL_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/../screenshots")
  set_tests_properties(floppwright_image_wine_tests PROPERTIES FIXTURES_SETUP floppwright_image_made)

  add_test(NAME floppwright_image_matches_native
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/tests/image/image_matches_native.py
      --tool ${CMAKE_BINARY_DIR}/../native/diskette_maker/floppwright-image
      --cd ${CMAKE_BINARY_DIR}/testcd --kept ${FW_IMAGE_KEEP})
  set_tests_properties(floppwright_image_matches_native PROPERTIES
    FIXTURES_REQUIRED floppwright_image_made LABELS "wine;image" TIMEOUT 120)
endif()
