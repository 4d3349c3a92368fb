// The menu is whatever the string table says: any labels, any number of
// them, any action-code text. The input is split at NUL bytes into the rows
// of one language block (labels, then action codes).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/menu_model.h"

namespace {

class FuzzStrings : public StringSource {
public:
    explicit FuzzStrings(const std::vector<std::string> &rows) : rows_(rows) {}

    bool Load(int id, char *buffer, std::size_t size) const override
    {
        if (size == 0)
            return false;
        buffer[0] = '\0';
        const std::string *row = Row(id);
        if (!row || row->empty())
            return false;
        const std::size_t n = row->size() < size - 1 ? row->size() : size - 1;
        std::memcpy(buffer, row->data(), n);
        buffer[n] = '\0';
        return true;
    }

private:
    // Labels of every language at 100 + k, 200 + k, 300 + k; action codes
    // at 2000 + k; row k of the input serves each.
    const std::string *Row(int id) const
    {
        int k = -1;
        if (id >= 100 && id < 400)
            k = id % 100;
        else if (id >= 2000 && id < 2100)
            k = id - 2000 + 10;
        if (k < 0 || static_cast<std::size_t>(k) >= rows_.size())
            return nullptr;
        return &rows_[k];
    }

    const std::vector<std::string> &rows_;
};

class LengthMeasure : public TextMeasure {
public:
    int Width(const char *text) const override { return static_cast<int>(std::strlen(text)) * 7; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::string> rows(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            rows.emplace_back();
        else
            rows.back().push_back(static_cast<char>(data[i]));
    }
    FuzzStrings strings(rows);

    for (int language = 1; language <= 3; ++language) {
        const int count = CountButtons(strings, language);
        if (count < 1 || count > kMaxButtons)
            __builtin_trap();
        for (int button = 0; button < count; ++button) {
            char label[kTextBufferSize];
            strings.Load(LabelId(language, button), label, sizeof label);
            MnemonicOf(label);
            StripMnemonicMarker(label);
            char action[kTextBufferSize];
            strings.Load(ActionId(button), action, sizeof action);
            ParseActionCode(action);
        }
    }
    WidestLabel(strings, LengthMeasure());
    return 0;
}
