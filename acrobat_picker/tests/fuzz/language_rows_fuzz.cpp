// Language rows are string resources that a translator edits: any text of
// up to 119 characters. Parsing, the table and the default-row choice must
// take any of it, and only well-formed rows may reach the list.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/language_table.h"

namespace {

struct Rows {
    const std::uint8_t *data;
    std::size_t size;
};

// Row id k is the k-th NUL-separated piece of the input.
class FuzzRowSource : public StringSource {
public:
    explicit FuzzRowSource(Rows rows) : rows_(rows) {}

    bool Load(int id, char *buf, std::size_t size) const override
    {
        std::size_t start = 0;
        for (int k = 1; k < id; ++k) {
            const void *nul = std::memchr(rows_.data + start, 0, rows_.size - start);
            if (!nul)
                return false;
            start = static_cast<const std::uint8_t *>(nul) - rows_.data + 1;
        }
        if (start >= rows_.size)
            return false;
        std::size_t n = 0;
        while (start + n < rows_.size && rows_.data[start + n] && n + 1 < size)
            ++n;
        std::memcpy(buf, rows_.data + start, n);
        buf[n] = '\0';
        return true;
    }

private:
    Rows rows_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    FuzzRowSource rows(Rows{data + 1, size - 1});
    LanguageTable table;
    ReadLanguageTable(rows, table);
    if (table.count < 0 || unsigned(table.count) > kLastTableRowId)
        __builtin_trap();
    for (int i = 0; i < table.count; ++i) {
        const LanguageRow &row = table.rows[i];
        if (!row.prompt[0] || !row.name[0] || std::strchr(row.prompt, ',') ||
            std::strchr(row.name, ','))
            __builtin_trap();
    }
    const int row = FindDefaultRow(table, data[0]);
    if (table.count > 0 && (row < 0 || row >= table.count))
        __builtin_trap();
    if (row >= 0)
        ListIndexOfRow(table, row);
    if (unsigned(CountListRows(table)) > kLastListRowId)
        __builtin_trap();
    return 0;
}
