// The Record blocks as the build assembled them, for the native tests.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::vector<unsigned char> ReadBinaryFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>());
}

inline std::vector<unsigned char> ReadRecord(const std::string &name)
{
    return ReadBinaryFile(std::string(DM_RECORD_DIR) + "/" + name + ".bin");
}
