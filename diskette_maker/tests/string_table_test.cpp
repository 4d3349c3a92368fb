// Floppwright's string table, read from the very resource script the program
// is built from: every text in three languages, the exact trailing spaces,
// and the erase warnings as the user reads them.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "core/drive_warning.h"
#include "resource.h"

namespace {

// The STRINGTABLE entries of a resource script: `id, "text"` lines with the
// escapes that the script uses.
std::map<int, std::string> ReadStringTable(const char *path)
{
    std::ifstream file(path);
    std::map<int, std::string> table;
    std::string line;
    bool inTable = false;
    while (std::getline(file, line)) {
        if (line.rfind("STRINGTABLE", 0) == 0) {
            inTable = true;
            continue;
        }
        if (!inTable)
            continue;
        if (line == "END")
            break;
        int id = 0;
        size_t open = line.find('"'), close = line.rfind('"');
        if (sscanf(line.c_str(), " %d ,", &id) != 1 || open == std::string::npos || close <= open)
            continue;
        std::string text;
        for (size_t i = open + 1; i < close; i++) {
            if (line[i] == '\\' && i + 1 < close) {
                char e = line[++i];
                text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
            } else if (line[i] == '"' && i + 1 < close && line[i + 1] == '"') {
                text += '"';
                i++;
            } else {
                text += line[i];
            }
        }
        table[id] = text;
    }
    return table;
}

const std::map<int, std::string> &Table()
{
    static const std::map<int, std::string> table = ReadStringTable(FLOPPWRIGHT_RC);
    return table;
}

TEST(StringTable, EveryTextExistsInThreeLanguages)
{
    const int bases[] = {IDS_COPY_BASE,          IDS_CANCEL_BASE,         IDS_OK_BASE,
                         IDS_TITLE_BASE,         IDS_LANGUAGE_BASE,       IDS_FINISHED_BASE,
                         IDS_DESCRIPTION_BASE,   IDS_NODRIVE_BASE,        IDS_DISKTYPE_BASE,
                         IDS_SELECTPRODUCT_BASE, IDS_ERASEWARNING_BASE,   IDS_HARDDRIVE_BASE,
                         IDS_CDROM_BASE,         IDS_DISKETTE_BASE,       IDS_FILESLEFT_BASE,
                         IDS_IMAGE_REPLACE_BASE, IDS_IMAGE_DONE_BASE,     IDS_IMAGE_UNWRITABLE_BASE,
                         IDS_IMAGE_MISSING_BASE, IDS_IMAGE_TOOLARGE_BASE, IDS_IMAGE_BADNAME_BASE,
                         IDS_IMAGE_TOOMANY_BASE, IDS_IMAGE_FILTER_BASE,   IDS_IMAGE_NOTMADE_BASE,
                         IDS_NODRIVE_IMAGE_BASE, IDS_NOT_BOOTABLE_BASE};
    ASSERT_FALSE(Table().empty());
    size_t expected = 0;
    for (int base : bases) {
        for (int language = 1; language <= 3; language++) {
            auto entry = Table().find(base + language);
            ASSERT_NE(entry, Table().end()) << base + language;
            EXPECT_FALSE(entry->second.empty()) << base + language;
            // LoadStringA fills 260-character buffers, the captions 64.
            EXPECT_LT(entry->second.size(),
                      base == IDS_TITLE_BASE || base == IDS_COPY_BASE ||
                              base == IDS_IMAGE_NOTMADE_BASE
                          ? 64u
                          : 260u);
            expected++;
        }
    }
    EXPECT_EQ(Table().size(), expected);
}

TEST(StringTable, TitlesKeepTheirTrailingSpaces)
{
    struct {
        int id;
        const char *name;
        size_t spaces;
    } cases[] = {{40, "Floppwright", 25}, {41, "Setup Disquete", 29}, {42, "Setup Disquette", 29}};
    for (const auto &c : cases)
        EXPECT_EQ(Table().at(c.id), c.name + std::string(c.spaces, ' ')) << c.id;
}

// The warning is formatted with DisketteRoot as its only argument.
std::string FormatWarning(const std::string &format, const char *root)
{
    char text[260];
    FormatDriveWarning(format.c_str(), root, text, sizeof text);
    return text;
}

TEST(StringTable, EraseWarningsNameTheDriveAsEachLanguageDoes)
{
    const std::string eleven(11, ' ');
    struct {
        int id;
        std::string text;
    } cases[] = {
        {500,
         "Warning!\n\nAll files on drive A: will be deleted." + eleven +
             "\n\nDo you wish to continue?"},
        {501,
         "Advertencia:\n\nSe van a perder todos los datos en el disco del la unidad A ." + eleven +
             "\n\n\xC2\xBF"
             "Est\xC3\xA1 seguro?"},
        {502,
         "Attention !\n\nTous les fichiers de la disquette se trouvant dans l'unit\xC3\xA9 A: "
         "seront effac\xC3\xA9s." +
             eleven + "\n\nVoulez-vous continuer ?"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatWarning(Table().at(c.id), "A:\\"), c.text) << c.id;
}

// Each warning names the drive once, cut to what its language writes, the
// files-left message names the whole folder once, and the image messages
// take one text (a path or a byte count) by wsprintfA; no other text is a
// format.
TEST(StringTable, OnlyTheWarningsAreFormatsAndEachTakesOneText)
{
    for (const auto &[id, text] : Table()) {
        size_t conversions = 0;
        for (size_t i = 0; i + 1 < text.size(); i++) {
            if (text[i] != '%')
                continue;
            if (text[i + 1] == '%') {
                i++;
                continue;
            }
            conversions++;
            bool folder = id > IDS_FILESLEFT_BASE && id <= IDS_FILESLEFT_BASE + 3;
            bool image = id > IDS_IMAGE_REPLACE_BASE && id <= IDS_IMAGE_BADNAME_BASE + 3;
            bool noDrive = id > IDS_NODRIVE_IMAGE_BASE && id <= IDS_NOT_BOOTABLE_BASE + 3;
            if (folder || image || noDrive) {
                EXPECT_EQ(text.compare(i, 2, "%s"), 0) << id;
            } else {
                EXPECT_TRUE(text.compare(i, 4, "%.2s") == 0 || text.compare(i, 4, "%.1s") == 0)
                    << id;
            }
        }
        bool image = (id > IDS_IMAGE_REPLACE_BASE && id <= IDS_IMAGE_BADNAME_BASE + 3) ||
            (id > IDS_NODRIVE_IMAGE_BASE && id <= IDS_NOT_BOOTABLE_BASE + 3);
        bool format = (id >= 500 && id <= 502) ||
            (id > IDS_FILESLEFT_BASE && id <= IDS_FILESLEFT_BASE + 3) || image;
        EXPECT_EQ(conversions, format ? 1u : 0u) << id;
    }
}

TEST(StringTable, LanguageGroupAndButtonsSpeakTheirLanguage)
{
    struct {
        int id;
        const char *text;
    } cases[] = {
        {10, "Create Disk"},
        {11, "Copiar"},
        {12, "Copier"},
        {50, "Language"},
        {51, "Idioma"},
        {52, "Langue"},
        {61, "Terminado"},
        {62, "Termin\xC3\xA9"},
        {300, "Type of Disk"},
        {301, "Type of Disk"},
        {302, "Type of Disk"},
        {201, "No diskette drive found.\nFloppwright cannot continue."},
        // The description and the product dialog, word for word (the typos
        // are the product's own).
        {100,
         "This program will make a Setup floppy disk for use on systems without a built-in CD-ROM "
         "drive. Insert a 1.44 MB floppy disk and click Create Disk.\n\nAll the contents of the "
         "disk "
         "will be erased."},
        {101,
         "Esta utilidad le permite hacer copias de los archivos en disquette para los sistemas que "
         "no "
         "cuentan una unidad de CD-ROM. Inserte un disquete y haga clic Copiar.\n\nSe "
         "borrar\xC3\xA1 "
         "todo el contenido del disquete."},
        {102,
         "Cet utilaire permet de cr\xC3\xA9"
         "er une disquette d'installation pour les syst\xC3\xA8mes "
         "qui ne poss\xC3\xA8"
         "dent pas une lecteur de CD-ROM. Ins\xC3\xA9rez une disqutte dans le "
         "lecteur et cliquez sur Copier.\n\nLe contenu du disquette sera enti\xC3\xA8rement "
         "effac\xC3\xA9."},
        {400, "Select your product"},
        {401, "Seleccione su producto"},
        {402, "Choisissez votre produit"},
        {600, "Quellorn Hard Drive"},
        {601, "Unidad de disco duro Quellorn"},
        {602, "Disque dur Quellorn"},
        {603, "Quellorn CD-ROM Drive"},
        {604, "Unidad de CD-ROM Quellorn"},
        {605, "Lecteur de CD-ROM Quellorn"},
        {606, "Quellorn Diskette Drive"},
        {607, "Unidad de disquete Quellorn"},
        {608, "Lecteur de disquettes Quellorn"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Table().at(c.id), c.text) << c.id;
}

} // namespace
