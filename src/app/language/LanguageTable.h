#pragma once

// The language file "lang.fil": one line per LangText entry, Windows-1252,
// each line holding the entry's text in every language separated by "+"
// (column 0 English, 1 Portuguese, 2 German, 3 French, 4 Swedish, 5 unused,
// 6 Dutch). Entries 1 to 50 are used, so a complete file has at least 51
// lines.

#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace corvane {

enum LanguageNumber : int {
    LanguageEnglish = 0,
    LanguagePortuguese = 1,
    LanguageGerman = 2,
    LanguageFrench = 3,
    LanguageSwedish = 4,
    LanguageDutch = 6,
};

// The number of entries the window reads (0 to 50).
inline constexpr int LanguageEntryCount = 51;

struct LanguageLoad
{
    QStringList texts;  // LangText: entry i at index i (entry 0 unused)
    QString error;      // empty when the whole column was read
    int failedLine = -1; // the line (from 0) that stopped the read, or -1
    bool ok() const { return error.isEmpty(); }
};

// Takes column `language` of the file's lines. Stops at the first line
// without that column (texts then holds the lines before it and an empty
// entry for that line). Fields are taken as they are: no trimming.
LanguageLoad parseLanguageFile(QByteArrayView fileBytes, int language);

// Where lang.fil is looked up: the program's folder, then the install data
// folder, then the copy built into the program (":/corvane/lang.fil").
QString findLanguageFile(const QString &programFolder);

// The English name of the language of a locale (QLocale's), "English",
// "German", ...; empty when there is none.
QString GetInfo(const QLocale &locale = QLocale::system());

// The start-up pick from the first three letters of GetInfo's answer, lower
// case: "eng", "por", "ger", "fre", "swe"; anything else (Dutch too) gives
// English with matched false.
struct LanguagePick
{
    int language = LanguageEnglish;
    bool matched = false;
};
LanguagePick pickLanguage(const QString &englishLanguageName);

// The locale of a UI language: for natural sort order and Qt's translations.
QLocale localeForLanguage(int language);

} // namespace corvane
