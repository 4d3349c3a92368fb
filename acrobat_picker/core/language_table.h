// The language table: rows of "code,prompt,display name" kept as string
// resources 1, 2, 3, ..., the row that matches the user, and the rows the
// list offers. Platform-free; the rows come through a StringSource.
#pragma once

#include "common/core/string_source.h"

constexpr int kLanguageRowSize = 120; // a row is read into this many chars, NUL included
constexpr unsigned kFirstRowId = 1;
constexpr unsigned kLastTableRowId = 9; // the default row may come from ids 1 to 9
constexpr unsigned kLastListRowId = 3;  // the list offers ids 1 to 3

struct LanguageRow {
    unsigned id;   // string resource id the row came from
    unsigned code; // primary language id; also the dialog's result
    char prompt[kLanguageRowSize];
    char name[kLanguageRowSize];
};

struct LanguageTable {
    LanguageRow rows[kLastTableRowId]; // well-formed rows in id order
    int count;
};

// Splits one row. Runs of commas count as one separator and leading commas
// are skipped; fields beyond the third are ignored. A row with fewer than
// three fields, a field longer than a row, or a code that is not 1 to 8 hex
// digits (after an optional "0x") is rejected.
bool ParseLanguageRow(const char *text, LanguageRow &row);

// Reads ids 1 to 9, stopping at the first id that the source does not
// deliver. Rows that do not parse are left out, so nothing half-read ever
// reaches the dialog.
void ReadLanguageTable(const StringSource &strings, LanguageTable &table);

// Index into table.rows of the row for `userLanguage` (a primary language
// id): the first row of that code, else the first English row, else the
// first row at all. -1 only for an empty table.
int FindDefaultRow(const LanguageTable &table, unsigned userLanguage);

// How many rows the list shows: the leading rows whose ids are 1 to 3.
int CountListRows(const LanguageTable &table);

// List index of table.rows[row], or -1 when that row is not listed.
int ListIndexOfRow(const LanguageTable &table, int row);
