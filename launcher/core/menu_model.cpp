#include "core/menu_model.h"

#include <climits>

#include "resource.h"

int TitleId(int language)
{
    return IDS_TITLE + language;
}
int HeadingId(int language)
{
    return IDS_HEADING + 10 * language;
}
int HintId(int language)
{
    return IDS_HINT + 10 * language;
}
int LabelId(int language, int button)
{
    return IDS_LABEL + 100 * language + button;
}
int DescriptionId(int language, int button)
{
    return IDS_DESCRIPTION + 100 * language + button;
}
int ActionId(int button)
{
    return IDS_ACTION + button;
}

int TextAreaHeadingId(int language, int highlighted)
{
    return highlighted < 0 ? HeadingId(language) : LabelId(language, highlighted);
}

int TextAreaDescriptionId(int language, int highlighted)
{
    return highlighted < 0 ? HintId(language) : DescriptionId(language, highlighted);
}

int CountButtons(const StringSource &strings, int language)
{
    char label[kTextBufferSize];
    int count = 1;
    while (count < kMaxButtons && strings.Load(LabelId(language, count), label, sizeof label))
        count++;
    return count;
}

int MnemonicOf(const char *label)
{
    for (const char *p = label; *p; p++) {
        if (*p != '&')
            continue;
        int c = static_cast<unsigned char>(p[1]);
        if (c >= 'a' && c <= 'z')
            return c - 'a' + 'A';
        // Latin-1 small letters sit 0x20 above their capitals, except the
        // division sign and y-diaeresis, which have no capital there.
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
            return c - 0x20;
        return c;
    }
    return 0;
}

void StripMnemonicMarker(char *text)
{
    for (char *p = text; *p; p++) {
        if (*p == '&') {
            for (char *q = p; *q; q++)
                q[0] = q[1];
            return;
        }
    }
}

int WidestLabel(const StringSource &strings, const TextMeasure &measure)
{
    char label[kTextBufferSize];
    int widest = 0;
    for (int language = 1; language <= 3; language++) {
        for (int i = 0; i < kMaxButtons; i++) {
            if (!strings.Load(LabelId(language, i), label, sizeof label))
                break;
            int width = measure.Width(label);
            if (width > widest)
                widest = width;
        }
    }
    return widest;
}

int ParseActionCode(const char *text)
{
    const char *p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        p++;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; p++) {
        if (value <= INT_MAX)
            value = value * 10 + (*p - '0');
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}
