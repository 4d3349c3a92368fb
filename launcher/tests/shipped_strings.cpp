// Reads the rows of the launcher's resource script for the tests that check
// the shipped table against what the menu makes of it.
#include <fstream>
#include <regex>
#include <sstream>

#include "fake_strings.h"

#ifndef LAUNCHER_SOURCE_DIR
#error "LAUNCHER_SOURCE_DIR must name the source folder of the launcher"
#endif

std::map<int, std::string> ReadShippedStringTable()
{
    std::ifstream in(std::string(LAUNCHER_SOURCE_DIR) + "/launcher.rc");
    std::map<int, std::string> rows;
    const std::regex row(R"re(^\s*(\d+)\s+"((?:[^"\\]|\\.)*)"\s*$)re");
    std::string line;
    bool inTable = false;
    while (std::getline(in, line)) {
        if (line.rfind("STRINGTABLE", 0) == 0)
            inTable = true;
        else if (inTable && line.rfind("END", 0) == 0)
            inTable = false;
        std::smatch m;
        if (inTable && std::regex_match(line, m, row)) {
            std::string text;
            const std::string raw = m[2];
            for (std::size_t i = 0; i < raw.size(); i++) {
                if (raw[i] == '\\' && i + 1 < raw.size()) {
                    i++;
                    text += raw[i] == 'n' ? '\n' : raw[i];
                } else {
                    text += raw[i];
                }
            }
            rows[std::stoi(m[1])] = text;
        }
    }
    return rows;
}
