// The list format that SHFileOperationA takes: each path ends with a NUL
// and one more NUL closes the list, so an empty list is a single NUL. A list
// lives in a zero-filled buffer of a fixed byte capacity.
#pragma once

#include <cstddef>

// Bytes the list occupies, closing NUL included; 0 when no closing NUL lies
// within the capacity.
size_t PathListBytes(const char *list, size_t capacity);

// Adds path behind the last entry. Returns the bytes the list then occupies,
// or 0 when it refused (the list would outgrow its capacity, the list is
// malformed, or the path is empty and would end the list early); a refused
// list is left exactly as it was.
size_t AppendToPathList(char *list, const char *path, size_t capacity);

// Adds an entry to each of two lists that must stay entry for entry alike
// (the saved system files and their temporary copies): both or neither.
bool AppendToPathListPair(char *first, const char *firstPath, size_t firstCapacity, char *second,
                          const char *secondPath, size_t secondCapacity);
