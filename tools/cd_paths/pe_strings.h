// The string table of a Windows executable, read from its file on any
// platform: what LoadStringA would give on a Western (code page 1252)
// Windows, so that a host tool sees the very texts a program was built with.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

class PeStrings {
public:
    // False, with the reason in error(), when the file is not a PE image or
    // its resources cannot be walked. An image without strings is fine.
    bool Read(const std::vector<unsigned char> &image);
    bool ReadFile(const std::string &path);

    // Like LoadStringA into a buffer of `size` characters: false for a
    // missing or empty string; a longer one comes back cut to size - 1.
    bool Load(unsigned id, char *buffer, std::size_t size) const;

    const std::string &error() const { return error_; }

private:
    bool Fail(const std::string &why)
    {
        error_ = why;
        return false;
    }

    std::map<unsigned, std::string> strings_; // code page 1252
    std::string error_;
};

// Code page 1252 text as UTF-8, for printing.
std::string Utf8FromAnsi(const std::string &ansi);
