#include "core/language_table.h"

#include "common/core/system_language.h"

namespace {

// Copies the next field after `cursor` into `field` and moves the cursor
// past it. Leading commas are skipped, so empty fields never exist. Returns
// false at the end of the row, or when the field does not fit `size`.
bool NextField(const char *&cursor, char *field, int size)
{
    const char *p = cursor;
    while (*p == ',')
        p++;
    if (*p == '\0')
        return false;
    int n = 0;
    for (; *p != '\0' && *p != ','; p++) {
        if (n == size - 1)
            return false;
        field[n++] = *p;
    }
    field[n] = '\0';
    cursor = p;
    return true;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

constexpr int kMaxCodeDigits = 8; // the most an unsigned holds

// "0x0009" and plain "0009" alike, as a base-16 reader would take them; at
// most eight digits so the value cannot wrap.
bool ParseCode(const char *text, unsigned &code)
{
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text += 2;
    unsigned value = 0;
    int digits = 0;
    for (; *text != '\0'; text++, digits++) {
        int d = HexDigit(*text);
        if (d < 0 || digits == kMaxCodeDigits)
            return false;
        value = value << 4 | unsigned(d);
    }
    if (digits == 0)
        return false;
    code = value;
    return true;
}

} // namespace

bool ParseLanguageRow(const char *text, LanguageRow &row)
{
    char code[kLanguageRowSize];
    const char *cursor = text;
    if (!NextField(cursor, code, sizeof code) || !ParseCode(code, row.code))
        return false;
    return NextField(cursor, row.prompt, sizeof row.prompt) &&
        NextField(cursor, row.name, sizeof row.name);
}

void ReadLanguageTable(const StringSource &strings, LanguageTable &table)
{
    table.count = 0;
    for (unsigned id = kFirstRowId; id <= kLastTableRowId; id++) {
        char text[kLanguageRowSize];
        if (!strings.Load(static_cast<int>(id), text, sizeof text))
            break;
        text[sizeof text - 1] = '\0';
        LanguageRow &row = table.rows[table.count];
        if (ParseLanguageRow(text, row)) {
            row.id = id;
            table.count++;
        }
    }
}

int FindDefaultRow(const LanguageTable &table, unsigned userLanguage)
{
    for (int i = 0; i < table.count; i++)
        if (table.rows[i].code == userLanguage)
            return i;
    for (int i = 0; i < table.count; i++)
        if (table.rows[i].code == kPrimaryEnglish)
            return i;
    return table.count > 0 ? 0 : -1;
}

int CountListRows(const LanguageTable &table)
{
    int n = 0;
    while (n < table.count && table.rows[n].id <= kLastListRowId)
        n++;
    return n;
}

int ListIndexOfRow(const LanguageTable &table, int row)
{
    return row >= 0 && row < CountListRows(table) ? row : -1;
}
