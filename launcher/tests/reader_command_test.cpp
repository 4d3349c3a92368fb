#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/reader_command.h"

namespace {

// Runs the parser on exactly the bytes given, in a heap block of that size,
// so AddressSanitizer catches any read beyond what the registry returned.
std::string Program(const std::string &bytes)
{
    std::vector<char> block(bytes.begin(), bytes.end());
    char *data = block.empty() ? nullptr : block.data();
    char none = '\0';
    char out[kReaderCommandSize];
    if (!ExtractReaderProgram(data ? data : &none, block.size(), out, sizeof out))
        return "<none>";
    return out;
}

std::string Terminated(const char *text)
{
    return std::string(text, std::strlen(text) + 1);
}

TEST(ReaderCommand, RegisteredForms)
{
    const struct {
        const char *command;
        const char *program;
    } cases[] = {
        // The usual form: quoted program, quoted document.
        {"\"C:\\Program Files\\Adobe\\Acrobat 4.0\\Reader\\AcroRd32.exe\" \"%1\"",
         "C:\\Program Files\\Adobe\\Acrobat 4.0\\Reader\\AcroRd32.exe"},
        // Unquoted program, quoted document: the document's text is what
        // remains, and it has no version, so the reader counts as missing.
        {"C:\\ACROREAD\\ACRORD32.EXE \"%1\"", "%1"},
        // No quotes: cut at the last blank.
        {"C:\\ACROREAD\\ACRORD32.EXE %1", "C:\\ACROREAD\\ACRORD32.EXE"},
        {"C:\\Acro Read\\AcroRd32.exe /s %1", "C:\\Acro Read\\AcroRd32.exe /s"},
        // No blank at all.
        {"C:\\ACROREAD\\ACRORD32.EXE", "C:\\ACROREAD\\ACRORD32.EXE"},
        {"\"C:\\ACROREAD\\ACRORD32.EXE\"", "C:\\ACROREAD\\ACRORD32.EXE"},
        {"\"C:\\Acro Read\\AcroRd32.exe\"", "C:\\Acro"},
        // Nothing usable.
        {"", "<none>"},
        {"\"", "<none>"},
        {"\"\" \"%1\"", "<none>"},
        {" ", "<none>"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.program, Program(Terminated(c.command))) << c.command;
        // The same text without its terminator must give the same answer.
        EXPECT_EQ(c.program, Program(c.command)) << c.command << " (no NUL)";
    }
}

TEST(ReaderCommand, RegistryBytesAreTrustedOnlyAsFarAsTheyGo)
{
    // Bytes after an embedded NUL are not part of the text.
    EXPECT_EQ("C:\\R.EXE", Program(std::string("\"C:\\R.EXE\" \"%1\"\0\"D:\\X.EXE\" y", 27)));
    // A value that fills the whole 260-byte buffer with no terminator.
    std::string full = "\"C:\\" + std::string(240, 'a') + ".exe\" \"%1\"";
    full.resize(kReaderCommandSize, 'b');
    ASSERT_EQ(kReaderCommandSize, full.size());
    EXPECT_EQ(std::string(259, 'q'), Program("\"" + std::string(259, 'q')));
    EXPECT_EQ("C:\\" + std::string(240, 'a') + ".exe", Program(full));
    // 259 characters of path fit the 260-character result, 260 do not.
    std::string fits = std::string(259, 'p');
    EXPECT_EQ(fits, Program(fits));
    std::string block(kReaderCommandSize, 'p');
    EXPECT_EQ("<none>", Program(block));
    // An empty value, zero bytes long.
    EXPECT_EQ("<none>", Program(std::string()));
}

TEST(ReaderCommand, VersionComparison)
{
    const struct {
        bool has;
        unsigned ms;
        bool enough;
    } cases[] = {
        {true, 0x00040000, true},   // 4.0
        {true, 0x00040005, true},   // 4.5
        {true, 0x00050000, true},   // 5.0
        {true, 0x0003FFFF, false},  // 3.65535
        {true, 0x00030000, false},  // 3.0
        {true, 0x00000000, false},  // a version block of zeros
        {false, 0x00040000, false}, // no version resource at all
        {true, 0xFFFF0000, true},   // compared unsigned
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.enough, ReaderVersionSuffices(c.has, c.ms, kGuidesReaderVersion))
            << std::hex << c.ms;
}

} // namespace
