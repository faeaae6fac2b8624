// The language file parser. Invariants: every language column gives as many
// entries as lines were read, an error names the line that stopped the read,
// and no text holds a line break or the column separator.

#include "FuzzCheck.h"
#include "app/language/LanguageTable.h"

#include <cstdint>

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const int language : {LanguageEnglish, LanguagePortuguese, LanguageGerman, LanguageFrench,
                               LanguageSwedish, LanguageDutch}) {
        const LanguageLoad load = parseLanguageFile(bytes, language);
        FUZZ_CHECK(!load.texts.isEmpty());
        FUZZ_CHECK(load.texts.size() <= qsizetype(size) + 1);
        if (load.ok()) {
            FUZZ_CHECK(load.failedLine == -1);
        } else {
            FUZZ_CHECK(load.failedLine >= 0 && load.failedLine < load.texts.size());
        }
        for (const QString &text : load.texts) {
            FUZZ_CHECK(!text.contains(u'\n') && !text.contains(u'\r'));
            FUZZ_CHECK(!text.contains(u'+'));
        }
    }
    return 0;
}
