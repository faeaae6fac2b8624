#include "LanguageTable.h"

#include "listfile/ListText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

// The resource initialiser must be called from the global namespace.
static void initLanguageResourcesImpl()
{
    Q_INIT_RESOURCE(language);
}

namespace corvane {

namespace {

constexpr qint64 MaximumLanguageFileSize = 16 * 1024 * 1024;

bool hasNonAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return true;
        }
    }
    return false;
}

QString decodeLanguageBytes(QByteArrayView bytes)
{
    QByteArrayView body = bytes;
    const bool bom = body.startsWith("\xEF\xBB\xBF");
    if (bom) {
        body = body.sliced(3);
    }
    if (bom || hasNonAscii(body)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(body);
        if (!utf8.hasError()) {
            return text;
        }
    }
    return decodeWindows1252(bytes);
}

// Field `column` of a line whose fields are separated by "+"; false when the
// line has fewer fields. Counts the fields as it goes: a line of a million
// "+" signs costs one pass and no allocation.
bool takeField(QStringView line, int column, QStringView *field, int *fieldCount)
{
    qsizetype start = 0;
    int index = 0;
    while (true) {
        const qsizetype plus = line.indexOf(u'+', start);
        const qsizetype end = plus < 0 ? line.size() : plus;
        if (index == column) {
            *field = line.sliced(start, end - start);
            return true;
        }
        if (plus < 0) {
            *fieldCount = index + 1;
            return false;
        }
        start = plus + 1;
        ++index;
    }
}

} // namespace

LanguageLoad parseLanguageFile(QByteArrayView fileBytes, int language)
{
    LanguageLoad load;
    load.texts.append(QString());
    if (language < 0) {
        load.error = u"There is no language number %1."_s.arg(language);
        return load;
    }

    const QString text = decodeLanguageBytes(fileBytes);
    const QStringView all(text);
    qsizetype lineStart = 0;
    int lineNumber = 0;
    while (lineStart < all.size()) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < all.size() && all[lineEnd] != u'\r' && all[lineEnd] != u'\n') {
            ++lineEnd;
        }
        const QStringView line = all.sliced(lineStart, lineEnd - lineStart);
        qsizetype next = lineEnd;
        if (next < all.size()) {
            next += (all[next] == u'\r' && next + 1 < all.size() && all[next + 1] == u'\n') ? 2 : 1;
        }

        if (lineNumber >= load.texts.size()) {
            load.texts.append(QString());
        }
        QStringView field;
        int fieldCount = 0;
        if (!takeField(line, language, &field, &fieldCount)) {
            load.failedLine = lineNumber;
            load.error = u"Line %1 of the language file holds %2 text(s); language column %3 "
                         u"needs at least %4."_s.arg(lineNumber + 1)
                             .arg(fieldCount)
                             .arg(language)
                             .arg(language + 1);
            return load;
        }
        load.texts[lineNumber] = field.toString();
        ++lineNumber;
        lineStart = next;
    }
    return load;
}

LanguageLoad loadLanguageFile(const QString &path, int language)
{
    LanguageLoad failed;
    failed.texts.append(QString());

    QFile file(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        failed.error =
            u"The language file %1 does not exist."_s.arg(QDir::toNativeSeparators(path));
        return failed;
    }
    if (!info.isFile()) {
        failed.error = u"The language file %1 is not a file."_s.arg(QDir::toNativeSeparators(path));
        return failed;
    }
    if (info.size() > MaximumLanguageFileSize) {
        failed.error =
            u"The language file %1 is too large (%2 bytes)."_s.arg(QDir::toNativeSeparators(path))
                .arg(info.size());
        return failed;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        failed.error = u"The language file %1 cannot be read: %2"_s.arg(
            QDir::toNativeSeparators(path), file.errorString());
        return failed;
    }
    // Read at most one byte past the limit: a file that grew since the size
    // check is refused rather than read without end.
    const QByteArray bytes = file.read(MaximumLanguageFileSize + 1);
    if (bytes.size() > MaximumLanguageFileSize) {
        failed.error = u"The language file %1 is too large."_s.arg(QDir::toNativeSeparators(path));
        return failed;
    }
    if (file.error() != QFileDevice::NoError) {
        failed.error = u"The language file %1 cannot be read: %2"_s.arg(
            QDir::toNativeSeparators(path), file.errorString());
        return failed;
    }
    return parseLanguageFile(bytes, language);
}

void fillMissingEntries(QStringList &texts, const QStringList &fallback)
{
    for (qsizetype i = LanguageEntryCount; i < fallback.size(); ++i) {
        if (i >= texts.size())
            texts.append(fallback.at(i));
        else if (texts.at(i).isEmpty())
            texts[i] = fallback.at(i);
    }
}

void initLanguageResources()
{
    initLanguageResourcesImpl();
}

QString findLanguageFile(const QString &programFolder)
{
    const QString name = u"lang.fil"_s;
    if (!programFolder.isEmpty()) {
        QString local = QDir(programFolder).filePath(name);
        if (QFileInfo(local).isFile()) {
            return local;
        }
    }
    // An installed tree keeps it in ../share/corvane beside bin/, wherever
    // the tree was put (a package unpacked into a folder included).
    if (!programFolder.isEmpty()) {
        const QString beside = QDir(programFolder).filePath(u"../share/corvane/"_s + name);
        if (QFileInfo(beside).isFile()) {
            return QDir::cleanPath(beside);
        }
    }
    const QStringList installed =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, u"corvane/"_s + name);
    for (const QString &path : installed) {
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
#ifdef CORVANE_INSTALL_DATADIR
    const QString prefixCopy = QDir(QStringLiteral(CORVANE_INSTALL_DATADIR)).filePath(name);
    if (!QStandardPaths::isTestModeEnabled() && QFileInfo(prefixCopy).isFile()) {
        return prefixCopy;
    }
#endif
    return u":/corvane/lang.fil"_s;
}

QString GetInfo(const QLocale &locale)
{
    const QLocale::Language language = locale.language();
    if (language == QLocale::C || language == QLocale::AnyLanguage) {
        return QString();
    }
    return QLocale::languageToString(language);
}

LanguagePick pickLanguage(const QString &englishLanguageName)
{
    const QString code = englishLanguageName.toLower().left(3);
    LanguagePick pick;
    static constexpr struct
    {
        char16_t code[4];
        int language;
    } codes[] = {
        {u"eng", LanguageEnglish}, {u"por", LanguagePortuguese}, {u"ger", LanguageGerman},
        {u"fre", LanguageFrench},  {u"swe", LanguageSwedish},
    };
    for (const auto &entry : codes) {
        if (code == QStringView(entry.code, 3)) {
            pick.language = entry.language;
            pick.matched = true;
        }
    }
    return pick;
}

QLocale localeForLanguage(int language)
{
    switch (language) {
    case LanguagePortuguese:
        return QLocale(QLocale::Portuguese, QLocale::Portugal);
    case LanguageGerman:
        return QLocale(QLocale::German, QLocale::Germany);
    case LanguageFrench:
        return QLocale(QLocale::French, QLocale::France);
    case LanguageSwedish:
        return QLocale(QLocale::Swedish, QLocale::Sweden);
    case LanguageDutch:
        return QLocale(QLocale::Dutch, QLocale::Netherlands);
    default:
        return QLocale(QLocale::English, QLocale::UnitedStates);
    }
}

QLocale displayLocale(int language, const QLocale &user)
{
    const QLocale ui = localeForLanguage(language);
    return user.language() == ui.language() ? user : ui;
}

} // namespace corvane
