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
    QStringList texts;   // LangText: entry i at index i (entry 0 unused)
    QString error;       // empty when the whole column was read
    int failedLine = -1; // the line (from 0) that stopped the read, or -1
    bool ok() const { return error.isEmpty(); }
    // True when the file held every entry the window reads (0 to 50). A
    // shorter file still loads; the first missing entry is an error for
    // whoever reads it.
    bool complete() const { return texts.size() >= LanguageEntryCount; }
};

// Takes column `language` of the file's lines. Stops at the first line
// without that column (texts then holds the lines before it and an empty
// entry for that line). Fields are taken as they are: no trimming.
// The bytes are Windows-1252, unless the whole file is valid UTF-8 holding
// non-ASCII bytes (a file saved by a UTF-8 editor): then they are read as
// UTF-8 (a leading byte-order mark is dropped). Lines end with CR LF, LF or
// CR; a line end at the very end of the file starts no further line.
LanguageLoad parseLanguageFile(QByteArrayView fileBytes, int language);

// Reads the file at `path` (a Qt resource path works too) and parses it. A
// missing or unreadable file gives texts = { "" } and an error naming the
// file and the reason; a file larger than 16 MB is refused the same way.
LanguageLoad loadLanguageFile(const QString &path, int language);

// Entries after the 51 that every lang.fil holds (texts the program added
// later) that `texts` lacks, or holds empty, are taken from `fallback` (the
// built-in copy's column of the same language). Entries 0 to 50 are left as
// they are.
void fillMissingEntries(QStringList &texts, const QStringList &fallback);

// Registers the copy of lang.fil built into the core library as the resource
// ":/corvane/lang.fil". The library is static, so a program (or test) must
// call this once before findLanguageFile can find that copy; calling it again
// does no harm.
void initLanguageResources();

// Where lang.fil is looked up: the program's folder, then ../share/corvane
// beside it (an installed tree wherever it was put), then the install data
// folder ("corvane/lang.fil" in the XDG data folders, then the data folder
// of the install prefix the program was built for), then the copy built into
// the program (":/corvane/lang.fil", see initLanguageResources). Returns the
// first path that exists, or the resource path when none does.
QString findLanguageFile(const QString &programFolder);

// The English name of the language of a locale (QLocale's), "English",
// "German", ...; empty when there is none: the C locale (LANG=C, POSIX) and
// QLocale::AnyLanguage both give "", so such a user starts in English with
// the languages menu shown.
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
// English en_US, Portuguese pt_PT (the wording of lang.fil), German de_DE,
// French fr_FR, Swedish sv_SE, Dutch nl_NL; any other number gives en_US.
QLocale localeForLanguage(int language);

// The locale the window writes numbers and dates in for UI language
// `language`: the user's own locale where it speaks that language (its
// regional habits kept: British dates, Swiss German numbers, Brazilian
// Portuguese), else localeForLanguage(language).
QLocale displayLocale(int language, const QLocale &user);

} // namespace corvane
