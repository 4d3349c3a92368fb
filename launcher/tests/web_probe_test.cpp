#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/web_probe.h"
#include "fake_strings.h"

namespace {

// A registry of string values. A value's bytes are stored as given, so a
// test can leave out the terminating zero or make a value longer than the
// probe's buffer; every read is checked against the buffer it was given.
class FakeRegistry : public RegistryReader {
public:
    void Set(RegistryRoot root, const std::string &key, const char *name, const std::string &bytes)
    {
        values_[Key(root, key, name)] = bytes;
    }

    RegistryStatus Read(RegistryRoot root, const char *key, const char *name, char *buffer,
                        std::size_t size, std::size_t *bytesRead) const override
    {
        reads_++;
        *bytesRead = 0;
        auto it = values_.find(Key(root, key, name));
        if (it == values_.end())
            return RegistryStatus::kMissing;
        if (it->second.size() > size)
            return RegistryStatus::kTooLong;
        std::memcpy(buffer, it->second.data(), it->second.size());
        *bytesRead = it->second.size();
        return RegistryStatus::kRead;
    }

    mutable int reads_ = 0;

private:
    static std::string Key(RegistryRoot root, const std::string &key, const char *name)
    {
        std::string k = root == RegistryRoot::kLocalMachine ? "HKLM\\" : "HKCR\\";
        for (char c : key)
            k += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return k + "@" + (name ? name : "(default)");
    }
    std::map<std::string, std::string> values_;
};

const RegistryRoot HKLM = RegistryRoot::kLocalMachine;
const RegistryRoot HKCR = RegistryRoot::kClassesRoot;
const char kRpc[] = "Software\\Microsoft\\Rpc\\ClientProtocols";

std::string Z(const std::string &s)
{
    return s + '\0';
}

struct ProbeCase {
    const char *what;
    const char *tcp;         // nullptr: no value
    const char *htmClass;    // nullptr: no value
    std::size_t classLength; // 0: htmClass as given, else a name this long
    bool terminated;
    const char *htmCommand;   // .htm\Shell\Open\Command default value
    const char *classCommand; // <class>\shell\open\command default value
    bool available;
};

TEST(WebProbe, Decision)
{
    const std::string longCommand(400, 'c');
    const ProbeCase cases[] = {
        {"class command", "rpcrt4.dll", "htmlfile", 0, true, nullptr, "browser.exe %1", true},
        {"direct .htm command", "rpcrt4.dll", "htmlfile", 0, true, "browser.exe", nullptr, true},
        {"no tcp value", nullptr, "htmlfile", 0, true, nullptr, "browser.exe", false},
        {"empty tcp value", "", "htmlfile", 0, true, nullptr, "browser.exe", false},
        {"no .htm class", "rpcrt4.dll", nullptr, 0, true, "browser.exe", "browser.exe", false},
        {"class without command", "rpcrt4.dll", "htmlfile", 0, true, nullptr, nullptr, false},
        {"empty class name", "rpcrt4.dll", "", 0, true, nullptr, nullptr, false},
        // Registry strings need not end in a zero.
        {"unterminated class", "rpcrt4.dll", "htmlfile", 0, false, nullptr, "browser.exe", true},
        {"unterminated tcp", "rpcrt4.dll", "htmlfile", 0, false, nullptr, "browser.exe", true},
        // A class name that fills the buffer to the last byte, unterminated.
        {"class of 255", "rpcrt4.dll", nullptr, 255, false, nullptr, "browser.exe", true},
        // Too long for the buffer: the name cannot be used.
        {"class of 300", "rpcrt4.dll", nullptr, 300, true, nullptr, "browser.exe", false},
        // A value longer than its buffer cannot be read.
        {"long command", "rpcrt4.dll", "htmlfile", 0, true, nullptr, longCommand.c_str(), false},
        {"long direct command", "rpcrt4.dll", "htmlfile", 0, true, longCommand.c_str(), nullptr,
         false},
        {"long tcp value", longCommand.c_str(), "htmlfile", 0, true, nullptr, "browser.exe", false},
        {"empty command counts", "rpcrt4.dll", "htmlfile", 0, true, nullptr, "", true},
    };
    for (const ProbeCase &c : cases) {
        FakeRegistry registry;
        auto value = [&](const char *text) { return c.terminated ? Z(text) : std::string(text); };
        if (c.tcp)
            registry.Set(HKLM, kRpc, "ncacn_ip_tcp",
                         c.tcp == std::string("") ? Z("") : value(c.tcp));
        std::string className = c.htmClass ? c.htmClass : "";
        if (c.classLength)
            className = std::string(c.classLength, 'k');
        if (c.htmClass || c.classLength)
            registry.Set(HKCR, ".htm", nullptr, c.terminated ? Z(className) : className);
        if (c.htmCommand)
            registry.Set(HKCR, ".htm\\Shell\\Open\\Command", nullptr, Z(c.htmCommand));
        if (c.classCommand)
            registry.Set(HKCR, className + "\\shell\\open\\command", nullptr, Z(c.classCommand));
        EXPECT_EQ(c.available, WebAccessAvailable(registry)) << c.what;
    }
}

TEST(WebProbe, RegistryText)
{
    char buffer[kRegistryBufferSize + 1];
    std::memset(buffer, 'a', sizeof buffer);
    TerminateRegistryText(buffer, 3);
    EXPECT_STREQ("aaa", buffer);
    std::memset(buffer, 'a', sizeof buffer);
    TerminateRegistryText(buffer, kRegistryBufferSize);
    EXPECT_EQ(kRegistryBufferSize, std::strlen(buffer));
    std::memset(buffer, 'a', sizeof buffer);
    TerminateRegistryText(buffer, 100000); // a wrong count cannot push the end out
    EXPECT_EQ(kRegistryBufferSize, std::strlen(buffer));
    std::memcpy(buffer, "ab\0cd", 5);
    TerminateRegistryText(buffer, 5);
    EXPECT_STREQ("ab", buffer);
}

TEST(WebProbe, JoinKeyName)
{
    char dest[12];
    EXPECT_TRUE(JoinKeyName(dest, sizeof dest, "abc", "defgh"));
    EXPECT_STREQ("abcdefgh", dest);
    EXPECT_TRUE(JoinKeyName(dest, sizeof dest, "abcde", "fghijk")); // 11 + zero
    EXPECT_STREQ("abcdefghijk", dest);
    EXPECT_FALSE(JoinKeyName(dest, sizeof dest, "abcdef", "ghijkl"));
    EXPECT_STREQ("", dest);
    EXPECT_FALSE(JoinKeyName(dest, 0, "a", "b"));
}

TEST(WebProbe, MarksTheUpdateButton)
{
    struct {
        const char *what;
        FakeStrings strings;
        bool available;
        std::vector<int> marked;
    } cases[] = {
        {"shipped table, no web",
         FakeStrings{{2000, "1"}, {2001, "2"}, {2002, "3"}, {2003, "5"}, {2004, "9"}, {2005, "86"}},
         false,
         {3}},
        {"shipped table, web", FakeStrings{{2000, "1"}, {2003, "5"}}, true, {}},
        {"code read as atoi",
         FakeStrings{{2000, " 5"}, {2001, "5x"}, {2002, "05"}, {2003, "55"}},
         false,
         {0, 1, 2}},
        // Only buttons 0 to 3 are looked at.
        {"update on button 4", FakeStrings{{2004, "5"}}, false, {}},
        {"no action rows", FakeStrings{}, false, {}},
    };
    for (const auto &c : cases) {
        unsigned char unavailable[8] = {1, 1, 1, 1, 1, 1, 1, 1};
        MarkWebButtons(c.available, c.strings, unavailable);
        std::vector<int> marked;
        for (int i = 0; i < 4; i++) {
            if (unavailable[i])
                marked.push_back(i);
        }
        EXPECT_EQ(c.marked, marked) << c.what;
        for (int i = 4; i < 8; i++)
            EXPECT_EQ(1, unavailable[i]) << c.what << ": buttons 4 to 7 are left alone";
    }
}

} // namespace
