// The erase warning is a format from the string table with one text
// argument, the diskette's root, cut to one or two characters by a
// precision ("%.2s" gives "A:", "%.1s" gives "A").
#pragma once

#include <cstddef>

// Formats `format` into out (`size` bytes, always terminated when size > 0)
// the way wsprintfA would with root as the only argument, but without
// trusting the format: the first "%s" or "%.Ns" takes root, "%%" gives "%",
// and any further or unknown conversion is copied as it stands, so a
// translated string can never make the formatter read an argument that was
// not passed. The text is cut, never overrun, at the buffer's end. Returns
// the length written.
std::size_t FormatDriveWarning(const char *format, const char *root, char *out, std::size_t size);
