# Writes the Record blocks into a C++ source for the command-line tool, so
# it carries the very bytes that Floppwright's resources carry:
#   cmake -DRECORD_DIR=<dir of the .bin blocks> -DOUT=<file.cpp> -P embed_records.cmake
set(blocks "107 config_cdrom" "108 autoexec_cdrom" "109 boot_sector"
           "110 config_hard_drive" "111 config_diskette")
set(text "// Made by embed_records.cmake from the assembled Record blocks.\n#include \"image_tool/embedded_records.h\"\n\nnamespace {\n")
set(table "")
foreach(block IN LISTS blocks)
  separate_arguments(parts UNIX_COMMAND "${block}")
  list(GET parts 0 id)
  list(GET parts 1 name)
  file(READ ${RECORD_DIR}/${name}.bin hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND text "const uint8_t Block${id}[${size}] = {${bytes}};\n")
  string(APPEND table "    {${id}, Block${id}, ${size}},\n")
endforeach()
string(APPEND text "}  // namespace\n\nconst EmbeddedRecord EmbeddedRecords[kEmbeddedRecordCount] = {\n${table}};\n")
file(WRITE ${OUT}.new "${text}")
file(COPY_FILE ${OUT}.new ${OUT} ONLY_IF_DIFFERENT)
