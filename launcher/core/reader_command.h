// The program registered to open PDF documents, taken from the text of its
// shell open command, and the version test it has to pass.
#pragma once

#include <cstddef>
#include <cstdint>

// The registry value is read into a buffer of this many bytes.
constexpr std::size_t kReaderCommandSize = 260;

// The version the guides need: 4.0, as major * 65536 + minor.
constexpr std::uint32_t kGuidesReaderVersion = 0x00040000;

// Reduces the registered command to a program path: drops everything up to
// and including the first double quote, cuts at the last blank, then at the
// first double quote. The usual form, a quoted program followed by a quoted
// "%1", gives the program. `data` holds `length` bytes exactly as the
// registry returned them, with or without a terminating NUL; nothing beyond
// them is read. False when nothing is left or the path would not fit.
bool ExtractReaderProgram(const char *data, std::size_t length, char *out, std::size_t outSize);

// Whether a file version (its most significant double word, or none at
// all) satisfies `required`, compared unsigned.
bool ReaderVersionSuffices(bool hasVersion, std::uint32_t versionMS, std::uint32_t required);
