#include "core/language_table.h"

#include "common/core/system_language.h"

#include <gtest/gtest.h>

#include <string.h>
#include <string>

namespace {

// The rows as LoadStringA hands them over on a Western system: code page
// 1252, so the accented letters are single bytes.
const char English[] =
    "0x0009,Select the language for this installation from the choices below.,English";
const char Spanish[] =
    "0x000a,Seleccionar uno de los siguientes idiomas para la instalaci\xF3n.,Espa\xF1ol";
const char French[] =
    "0x000c,S\xE9lectionnez la langue d'installation de la liste ci-dessous.,Fran\xE7"
    "ais";

struct RowCase {
    const char *what;
    const char *text;
    bool ok;
    unsigned code;
    const char *prompt;
    const char *name;
};

const RowCase RowCases[] = {
    {"shipped English", English, true, 9,
     "Select the language for this installation from the choices below.", "English"},
    {"shipped Spanish", Spanish, true, 10,
     "Seleccionar uno de los siguientes idiomas para la instalaci\xF3n.", "Espa\xF1ol"},
    {"shipped French", French, true, 12,
     "S\xE9lectionnez la langue d'installation de la liste ci-dessous.",
     "Fran\xE7"
     "ais"},
    {"runs of commas are one separator", ",,0x0009,,,Pick one,,English,,", true, 9, "Pick one",
     "English"},
    {"a fourth field is ignored", "0x0007,W\xE4hlen,Deutsch,extra", true, 7, "W\xE4hlen",
     "Deutsch"},
    {"a comma in the prompt splits it", "0x0009,Pick, please,English", true, 9, "Pick", " please"},
    {"code without prefix", "0009,P,N", true, 9, "P", "N"},
    {"upper-case prefix and digits", "0X001F,P,N", true, 0x1F, "P", "N"},
    {"eight digits", "0xFFFFFFFF,P,N", true, 0xFFFFFFFFu, "P", "N"},
    {"empty row", "", false, 0, nullptr, nullptr},
    {"commas only", ",,,", false, 0, nullptr, nullptr},
    {"code only", "0x0009", false, 0, nullptr, nullptr},
    {"no display name", "0x0009,Select the language", false, 0, nullptr, nullptr},
    {"no display name, trailing commas", "0x0009,Select,,,", false, 0, nullptr, nullptr},
    {"code is a word", "English,Select,English", false, 0, nullptr, nullptr},
    {"code has garbage after the digits", "0x00g9,P,N", false, 0, nullptr, nullptr},
    {"prefix without digits", "0x,P,N", false, 0, nullptr, nullptr},
    {"negative code", "-1,P,N", false, 0, nullptr, nullptr},
    {"code with a blank", "0x 9,P,N", false, 0, nullptr, nullptr},
    {"nine digits would wrap", "0x100000009,P,N", false, 0, nullptr, nullptr},
};

TEST(LanguageRow, ParsesEveryForm)
{
    for (const RowCase &c : RowCases) {
        SCOPED_TRACE(c.what);
        LanguageRow row;
        memset(&row, 0x5A, sizeof row);
        ASSERT_EQ(c.ok, ParseLanguageRow(c.text, row));
        if (!c.ok)
            continue;
        EXPECT_EQ(c.code, row.code);
        EXPECT_STREQ(c.prompt, row.prompt);
        EXPECT_STREQ(c.name, row.name);
    }
}

TEST(LanguageRow, FieldLongerThanARowIsRejectedNotOverrun)
{
    std::string longPrompt = "0x0009," + std::string(kLanguageRowSize, 'p') + ",English";
    std::string longName = "0x0009,Prompt," + std::string(kLanguageRowSize, 'n');
    std::string fits = "0x0009,Prompt," + std::string(kLanguageRowSize - 1, 'n');
    LanguageRow row;
    EXPECT_FALSE(ParseLanguageRow(longPrompt.c_str(), row));
    EXPECT_FALSE(ParseLanguageRow(longName.c_str(), row));
    ASSERT_TRUE(ParseLanguageRow(fits.c_str(), row));
    EXPECT_EQ(strlen(row.name), size_t(kLanguageRowSize - 1));
}

// A string table standing in for the resources: ids 1 to 12, nullptr where
// an id has no string. Copies like LoadStringA: cut to the buffer.
typedef const char *Rows[12];

class FakeTable : public StringSource {
public:
    explicit FakeTable(const char *const *rows) : rows_(rows) {}
    unsigned LastAsked() const { return lastAsked_; }

    bool Load(int id, char *buf, size_t size) const override
    {
        lastAsked_ = unsigned(id);
        if (id < 1 || id > 12 || !rows_[id - 1])
            return false;
        strncpy(buf, rows_[id - 1], size - 1);
        buf[size - 1] = '\0';
        return true;
    }

private:
    const char *const *rows_;
    mutable unsigned lastAsked_ = 0;
};

struct TableCase {
    const char *what;
    Rows rows;
    unsigned ids[10]; // ids of the rows read, 0-terminated
    int listRows;
    unsigned lastAsked; // the id that stopped the reading
};

const TableCase TableCases[] = {
    {"shipped", {English, Spanish, French}, {1, 2, 3}, 3, 4},
    {"a malformed row is skipped, the rest stays",
     {English, "0x000a,Seleccionar", French},
     {1, 3},
     2,
     4},
    {"an empty row is skipped", {"", Spanish, French}, {2, 3}, 2, 4},
    {"a missing id ends the table", {English, nullptr, French}, {1}, 1, 2},
    {"no row 1, no table", {nullptr, Spanish}, {0}, 0, 1},
    {"a fourth row is read but not listed",
     {English, Spanish, French, "0x0007,W\xE4hlen Sie die Sprache.,Deutsch"},
     {1, 2, 3, 4},
     3,
     5},
    {"ids past 9 are never read",
     {English, Spanish, French, "7,a,b", "7,a,b", "7,a,b", "7,a,b", "7,a,b", "7,a,b", "7,a,b",
      "7,a,b"},
     {1, 2, 3, 4, 5, 6, 7, 8, 9},
     3,
     9},
};

TEST(LanguageTable, ReadsRowsInIdOrder)
{
    for (const TableCase &c : TableCases) {
        SCOPED_TRACE(c.what);
        FakeTable source(c.rows);
        LanguageTable table;
        ReadLanguageTable(source, table);
        int expected = 0;
        while (c.ids[expected])
            expected++;
        ASSERT_EQ(expected, table.count);
        for (int i = 0; i < expected; i++)
            EXPECT_EQ(c.ids[i], table.rows[i].id) << "row " << i;
        EXPECT_EQ(c.listRows, CountListRows(table));
        EXPECT_EQ(c.lastAsked, source.LastAsked());
    }
}

TEST(LanguageTable, RowCutToTheBufferStillParses)
{
    std::string row = "0x000c,Prompt," + std::string(200, 'n');
    Rows rows = {row.c_str()};
    FakeTable source(rows);
    LanguageTable table;
    ReadLanguageTable(source, table);
    ASSERT_EQ(1, table.count);
    EXPECT_EQ(strlen(table.rows[0].name), size_t(kLanguageRowSize - 1 - 14));
}

struct DefaultCase {
    const char *what;
    Rows rows;
    unsigned languageId; // as GetUserDefaultLangID returns it
    unsigned defaultId;  // string id of the default row, 0 for none
    int listIndex;       // what the list preselects
};

const DefaultCase DefaultCases[] = {
    {"English user", {English, Spanish, French}, 0x0409, 1, 0},
    {"Spanish user", {English, Spanish, French}, 0x0C0A, 2, 1},
    {"French user", {English, Spanish, French}, 0x040C, 3, 2},
    {"Canadian French user", {English, Spanish, French}, 0x0C0C, 3, 2},
    {"German user gets English", {English, Spanish, French}, 0x0407, 1, 0},
    {"Japanese user gets English", {English, Spanish, French}, 0x0411, 1, 0},
    {"English not first", {Spanish, English, French}, 0x0407, 2, 1},
    {"first of two matching rows", {English, French, "0x000c,Autre,Fr"}, 0x040C, 2, 1},
    {"default beyond the list selects nothing",
     {English, Spanish, French, "0x0007,W\xE4hlen,Deutsch"},
     0x0407,
     4,
     -1},
    {"no English row: the first row", {Spanish, French}, 0x0407, 1, 0},
    {"malformed rows shift the list", {"0x0009", Spanish, French}, 0x040C, 3, 1},
    {"empty table", {nullptr}, 0x040C, 0, -1},
};

TEST(LanguageTable, DefaultRowForUserLanguage)
{
    for (const DefaultCase &c : DefaultCases) {
        SCOPED_TRACE(c.what);
        FakeTable source(c.rows);
        LanguageTable table;
        ReadLanguageTable(source, table);
        int row = FindDefaultRow(table, PrimaryLanguage(c.languageId));
        if (c.defaultId == 0) {
            EXPECT_EQ(-1, row);
        } else {
            ASSERT_GE(row, 0);
            EXPECT_EQ(c.defaultId, table.rows[row].id);
        }
        EXPECT_EQ(c.listIndex, ListIndexOfRow(table, row));
    }
}

} // namespace
