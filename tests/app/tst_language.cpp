#include "app/language/LanguageTable.h"
#include "app/language/QtTranslations.h"
#include "common/TestSourceDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return file.readAll();
}

QString shippedLanguageFile()
{
    return QDir(corvane::test::sourceDir()).filePath(u"data/lang.fil"_s);
}

const int AllLanguages[] = {LanguageEnglish, LanguagePortuguese, LanguageGerman,
                            LanguageFrench,  LanguageSwedish,    LanguageDutch};

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void parseFile_data();
    void parseFile();
    void hugeFields();
    void loadFile_data();
    void loadFile();
    void shippedFileShape();
    void shippedFileLoads_data();
    void shippedFileLoads();
    void shippedEnglishTexts_data();
    void shippedEnglishTexts();
    void copiesBesideProgramAndResource();
    void pickLanguage_data();
    void pickLanguage();
    void getInfo_data();
    void getInfo();
    void localeForLanguage_data();
    void localeForLanguage();
    void qtTranslations();
    void fillMissingEntries_data();
    void fillMissingEntries();
};

void TestLanguage::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    initLanguageResources();
    QVERIFY2(QFile::exists(shippedLanguageFile()), qPrintable(shippedLanguageFile()));
}

void TestLanguage::parseFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("failedLine");

    const QByteArray seven = "a0+a1+a2+a3+a4++a6\r\nb0+b1+b2+b3+b4++b6\r\n";
    QTest::newRow("empty file") << QByteArray() << 0 << QStringList{u""_s} << -1;
    QTest::newRow("Dutch is column 6") << seven << 6 << QStringList{u"a6"_s, u"b6"_s} << -1;
    QTest::newRow("column 5 is empty") << seven << 5 << QStringList{u""_s, u""_s} << -1;
    QTest::newRow("column 7 is missing") << seven << 7 << QStringList{u""_s} << 0;
    QTest::newRow("short line stops the read")
        << QByteArray("a0+a1+a2\r\nb0+b1\r\nc0+c1+c2\r\n") << 2 << QStringList{u"a2"_s, u""_s} << 1;
    QTest::newRow("short line is fine for a lower column")
        << QByteArray("a0+a1+a2\r\nb0+b1\r\n") << 1 << QStringList{u"a1"_s, u"b1"_s} << -1;
    QTest::newRow("first line fails")
        << QByteArray("only English\r\n") << 1 << QStringList{u""_s} << 0;
    QTest::newRow("blank line, English")
        << QByteArray("a0+a1\r\n\r\nc0+c1\r\n") << 0 << QStringList{u"a0"_s, u""_s, u"c0"_s} << -1;
    QTest::newRow("blank line, Portuguese")
        << QByteArray("a0+a1\r\n\r\nc0+c1\r\n") << 1 << QStringList{u"a1"_s, u""_s} << 1;
    QTest::newRow("CR only") << QByteArray("a0+a1\rb0+b1\rc0+c1\r") << 1
                             << QStringList{u"a1"_s, u"b1"_s, u"c1"_s} << -1;
    QTest::newRow("LF only") << QByteArray("a0+a1\nb0+b1\n") << 1 << QStringList{u"a1"_s, u"b1"_s}
                             << -1;
    QTest::newRow("mixed line ends")
        << QByteArray("a\r\n\nb\rc") << 0 << QStringList{u"a"_s, u""_s, u"b"_s, u"c"_s} << -1;
    QTest::newRow("no line end at the end")
        << QByteArray("a0+a1\r\nb0+b1") << 1 << QStringList{u"a1"_s, u"b1"_s} << -1;
    QTest::newRow("spaces are kept") << QByteArray("Folder Structure + Filter\r\n") << 0
                                     << QStringList{u"Folder Structure "_s} << -1;
    QTest::newRow("leading space is kept")
        << QByteArray("Folder Structure + Filter\r\n") << 1 << QStringList{u" Filter"_s} << -1;
    QTest::newRow("empty fields") << QByteArray("++\r\n") << 2 << QStringList{u""_s} << -1;
    QTest::newRow("Windows-1252 accents")
        << QByteArray("Men\xfc+Fran\xe7"
                      "ais+Gr\xf6\xdf"
                      "e+\x80 \x93q\x94 \x85\r\n")
        << 3 << QStringList{u"\u20ac \u201cq\u201d \u2026"_s} << -1;
    QTest::newRow("Windows-1252 German") << QByteArray("Men\xfc+Gr\xf6\xdf"
                                                       "e\r\n")
                                         << 1 << QStringList{u"Gr\u00f6\u00dfe"_s} << -1;
    QTest::newRow("UTF-8 accents") << QByteArray("Men\xc3\xbc+Fran\xc3\xa7"
                                                 "ais\r\n")
                                   << 1 << QStringList{u"Fran\u00e7ais"_s} << -1;
    QTest::newRow("UTF-8 with byte-order mark")
        << QByteArray("\xef\xbb\xbfMenu+Men\xc3\xbc\r\n") << 0 << QStringList{u"Menu"_s} << -1;
    // One byte that is not UTF-8 makes the whole file Windows-1252.
    QTest::newRow("UTF-8 and Windows-1252 mixed")
        << QByteArray("Men\xc3\xbc+x\r\nGr\xf6\xdf"
                      "e+y\r\n")
        << 0 << QStringList{u"Men\u00c3\u00bc"_s, u"Gr\u00f6\u00dfe"_s} << -1;
    QTest::newRow("negative language") << QByteArray("a+b\r\n") << -1 << QStringList{u""_s} << -1;

    QByteArray fifty;
    QStringList fiftyTexts;
    for (int i = 0; i < 50; ++i) {
        fifty += "e" + QByteArray::number(i) + "+p+g+f+s++d" + QByteArray::number(i) + "\r\n";
        fiftyTexts.append(u"d"_s + QString::number(i));
    }
    QTest::newRow("50 lines") << fifty << 6 << fiftyTexts << -1;
}

void TestLanguage::parseFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, language);
    QFETCH(QStringList, texts);
    QFETCH(int, failedLine);

    const LanguageLoad load = parseLanguageFile(bytes, language);
    QCOMPARE(load.texts, texts);
    QCOMPARE(load.failedLine, failedLine);
    const bool expectOk = failedLine < 0 && language >= 0;
    QCOMPARE(load.ok(), expectOk);
    if (failedLine >= 0) {
        // The message names the line, counted from 1 for the reader.
        QVERIFY2(load.error.contains(QString::number(failedLine + 1)), qPrintable(load.error));
    }
    QCOMPARE(load.complete(), texts.size() >= LanguageEntryCount);
}

void TestLanguage::hugeFields()
{
    const QByteArray big(1 << 20, 'x');

    const QByteArray file = big + "+tail\r\nnext+line\r\n";
    LanguageLoad load = parseLanguageFile(file, 0);
    QVERIFY(load.ok());
    QCOMPARE(load.texts.size(), 2);
    QCOMPARE(load.texts[0].size(), 1 << 20);
    load = parseLanguageFile(file, 1);
    QCOMPARE(load.texts, (QStringList{u"tail"_s, u"line"_s}));

    // A line of a million "+" signs: a million empty fields.
    const QByteArray pluses(1 << 20, '+');
    load = parseLanguageFile(pluses, 6);
    QVERIFY(load.ok());
    QCOMPARE(load.texts, QStringList{u""_s});

    // A megabyte without a separator fails at once for Dutch.
    load = parseLanguageFile(big, 6);
    QCOMPARE(load.failedLine, 0);
    QCOMPARE(load.texts, QStringList{u""_s});
}

void TestLanguage::loadFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ok");
    QTest::newRow("missing") << u"missing.fil"_s << false;
    QTest::newRow("a folder") << u"folder"_s << false;
    QTest::newRow("a file") << u"lang.fil"_s << true;
}

void TestLanguage::loadFile()
{
    QFETCH(QString, name);
    QFETCH(bool, ok);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
    QFile file(dir.filePath(u"lang.fil"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("a+b\r\nc+d\r\n");
    file.close();

    const LanguageLoad load = loadLanguageFile(dir.filePath(name), 1);
    QCOMPARE(load.ok(), ok);
    if (ok) {
        QCOMPARE(load.texts, (QStringList{u"b"_s, u"d"_s}));
    } else {
        QCOMPARE(load.texts, QStringList{u""_s});
        QCOMPARE(load.failedLine, -1);
        QVERIFY2(load.error.contains(name), qPrintable(load.error));
    }
    // Nothing was written beside the file.
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 2);
}

void TestLanguage::shippedFileShape()
{
    const QByteArray bytes = readAll(shippedLanguageFile());
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    QVERIFY2(lines.size() >= LanguageEntryCount, QByteArray::number(lines.size()).constData());
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        QVERIFY2(i == lines.size() - 1 || line.endsWith('\r'), QByteArray::number(i).constData());
        const QByteArray text = i == lines.size() - 1 ? line : line.chopped(1);
        QVERIFY2(!text.contains('\r'), QByteArray::number(i).constData());
        const QList<QByteArray> fields = text.split('+');
        QCOMPARE(fields.size(), 7);
        QCOMPARE(fields[5], QByteArray());
    }
    // Single-byte Windows-1252, not UTF-8: "Menü" is M e n 0xFC.
    QVERIFY(bytes.contains("Men\xfc+"));
    QVERIFY(!bytes.contains("\xc3"));
}

void TestLanguage::shippedFileLoads_data()
{
    QTest::addColumn<int>("language");
    for (const int language : AllLanguages) {
        QTest::addRow("language %d", language) << language;
    }
}

void TestLanguage::shippedFileLoads()
{
    QFETCH(int, language);
    const LanguageLoad load = loadLanguageFile(shippedLanguageFile(), language);
    QVERIFY2(load.ok(), qPrintable(load.error));
    QVERIFY(load.complete());
    for (int entry = 1; entry < LanguageEntryCount; ++entry) {
        if (entry == 18 || entry == 30) {
            continue;
        }
        QVERIFY2(!load.texts[entry].trimmed().isEmpty(), QByteArray::number(entry).constData());
        QVERIFY(!load.texts[entry].contains(QChar::ReplacementCharacter));
    }
    QCOMPARE(load.texts[40], u"Corvane"_s);
    QVERIFY(load.texts[50].endsWith(u"->"_s));
}

void TestLanguage::shippedEnglishTexts_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("text");
    const QList<std::pair<int, QString>> texts = {
        {1, u"Menu"_s},
        {2, u"Open File List"_s},
        {3, u"View list"_s},
        {4, u"Locate the file list on your computer where you saved it"_s},
        {5, u"Folders"_s},
        {6, u"Files"_s},
        {7, u"Size"_s},
        {9, u"Folder Structure "_s},
        {10, u"Path\\Filename"_s},
        {15, u" Filter"_s},
        {16, u"Term"_s},
        {17, u"Search"_s},
        {19, u"Search by Date"_s},
        {20, u"From"_s},
        {21, u"To"_s},
        {22, u"Search"_s},
        {23, u"File Details"_s},
        {24, u"Files"_s},
        {25, u"Size"_s},
        {27, u"Modified :"_s},
        {28, u"Size :"_s},
        {29, u"Attributes :"_s},
        {44, u"Languages"_s},
        {45, u"Show Languages"_s},
        {46, u"Hide Languages"_s},
        {47, u"Reload Filelist"_s},
        {48, u"Exit"_s},
        {49, u"Multiple File Lists in Zip"_s},
        {11, u"Name"_s},
        {12, u"Modified"_s},
        {13, u"Size"_s},
        {14, u"Status"_s},
        {40, u"Corvane"_s},
    };
    for (const auto &[entry, text] : texts) {
        QTest::addRow("entry %d", entry) << entry << text;
    }
}

void TestLanguage::shippedEnglishTexts()
{
    QFETCH(int, entry);
    QFETCH(QString, text);
    const LanguageLoad load = loadLanguageFile(shippedLanguageFile(), LanguageEnglish);
    QVERIFY2(load.ok(), qPrintable(load.error));
    QCOMPARE(load.texts.value(entry), text);
}

void TestLanguage::copiesBesideProgramAndResource()
{
    const QByteArray shipped = readAll(shippedLanguageFile());
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString beside = QDir(programFolder).filePath(u"lang.fil"_s);
    QCOMPARE(findLanguageFile(programFolder), beside);
    QCOMPARE(readAll(beside), shipped);

    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    const QString found = findLanguageFile(empty.path());
    QCOMPARE(found, u":/corvane/lang.fil"_s);
    QCOMPARE(readAll(found), shipped);
    const LanguageLoad load = loadLanguageFile(found, LanguageGerman);
    QVERIFY2(load.ok(), qPrintable(load.error));
    QCOMPARE(load.texts[1], u"Men\u00fc"_s);

    // The install data folder comes before the built-in copy.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QVERIFY(QDir().mkpath(dataHome + u"/corvane"_s));
    QFile installed(dataHome + u"/corvane/lang.fil"_s);
    const auto cleanUp = qScopeGuard([&] { installed.remove(); });
    QVERIFY(installed.open(QIODevice::WriteOnly));
    installed.write(shipped);
    installed.close();
    QCOMPARE(QFileInfo(findLanguageFile(empty.path())).canonicalFilePath(),
             QFileInfo(installed.fileName()).canonicalFilePath());
}

void TestLanguage::pickLanguage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("matched");
    QTest::newRow("English") << u"English"_s << int(LanguageEnglish) << true;
    QTest::newRow("Portuguese") << u"Portuguese"_s << int(LanguagePortuguese) << true;
    QTest::newRow("German") << u"German"_s << int(LanguageGerman) << true;
    QTest::newRow("French") << u"French"_s << int(LanguageFrench) << true;
    QTest::newRow("Swedish") << u"Swedish"_s << int(LanguageSwedish) << true;
    QTest::newRow("Dutch") << u"Dutch"_s << int(LanguageEnglish) << false;
    QTest::newRow("empty") << QString() << int(LanguageEnglish) << false;
    QTest::newRow("Japanese") << u"Japanese"_s << int(LanguageEnglish) << false;
    QTest::newRow("upper case") << u"GERMAN"_s << int(LanguageGerman) << true;
    QTest::newRow("three letters") << u"Fre"_s << int(LanguageFrench) << true;
    QTest::newRow("two letters") << u"En"_s << int(LanguageEnglish) << false;
    QTest::newRow("Swiss German is other") << u"Swiss German"_s << int(LanguageEnglish) << false;
}

void TestLanguage::pickLanguage()
{
    QFETCH(QString, name);
    QFETCH(int, language);
    QFETCH(bool, matched);
    const LanguagePick pick = corvane::pickLanguage(name);
    QCOMPARE(pick.language, language);
    QCOMPARE(pick.matched, matched);
}

void TestLanguage::getInfo_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("matched");
    QTest::newRow("en_GB") << QLocale(u"en_GB"_s) << u"English"_s << int(LanguageEnglish) << true;
    QTest::newRow("pt_BR") << QLocale(u"pt_BR"_s) << u"Portuguese"_s << int(LanguagePortuguese)
                           << true;
    QTest::newRow("de_AT") << QLocale(u"de_AT"_s) << u"German"_s << int(LanguageGerman) << true;
    QTest::newRow("fr_CA") << QLocale(u"fr_CA"_s) << u"French"_s << int(LanguageFrench) << true;
    QTest::newRow("sv_FI") << QLocale(u"sv_FI"_s) << u"Swedish"_s << int(LanguageSwedish) << true;
    QTest::newRow("nl_BE") << QLocale(u"nl_BE"_s) << u"Dutch"_s << int(LanguageEnglish) << false;
    QTest::newRow("ja_JP") << QLocale(u"ja_JP"_s) << u"Japanese"_s << int(LanguageEnglish) << false;
    // LANG=C gives Qt's C locale as the system locale.
    QTest::newRow("C") << QLocale::c() << QString() << int(LanguageEnglish) << false;
    QTest::newRow("C by name") << QLocale(u"C"_s) << QString() << int(LanguageEnglish) << false;
}

void TestLanguage::getInfo()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, name);
    QFETCH(int, language);
    QFETCH(bool, matched);
    QCOMPARE(GetInfo(locale), name);
    const LanguagePick pick = corvane::pickLanguage(GetInfo(locale));
    QCOMPARE(pick.language, language);
    QCOMPARE(pick.matched, matched);
}

void TestLanguage::localeForLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::newRow("English") << int(LanguageEnglish) << u"en_US"_s;
    QTest::newRow("Portuguese") << int(LanguagePortuguese) << u"pt_PT"_s;
    QTest::newRow("German") << int(LanguageGerman) << u"de_DE"_s;
    QTest::newRow("French") << int(LanguageFrench) << u"fr_FR"_s;
    QTest::newRow("Swedish") << int(LanguageSwedish) << u"sv_SE"_s;
    QTest::newRow("Dutch") << int(LanguageDutch) << u"nl_NL"_s;
    QTest::newRow("column 5") << 5 << u"en_US"_s;
}

void TestLanguage::localeForLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, name);
    QCOMPARE(corvane::localeForLanguage(language).name(), name);
}

void TestLanguage::qtTranslations()
{
    auto *app = QCoreApplication::instance();
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };

    QVERIFY(installQtTranslations(app, LanguageGerman));
    QCOMPARE(yes(), u"&Ja"_s);
    QCOMPARE(cancel(), u"Abbrechen"_s);

    QVERIFY(installQtTranslations(app, LanguageFrench));
    QCOMPARE(yes(), u"&Oui"_s);

    QVERIFY(installQtTranslations(app, LanguageDutch));
    QCOMPARE(cancel(), u"Annuleren"_s);

    QVERIFY(installQtTranslations(app, LanguagePortuguese));
    QCOMPARE(yes(), u"&Sim"_s);

    // Swedish has only the older combined catalogue.
    QVERIFY(installQtTranslations(app, LanguageSwedish));
    QCOMPARE(yes(), u"&Ja"_s);
    QCOMPARE(cancel(), u"Avbryt"_s);

    // English takes the translators away again.
    QVERIFY(installQtTranslations(app, LanguageEnglish));
    QCOMPARE(yes(), u"&Yes"_s);
    QCOMPARE(cancel(), u"Cancel"_s);

    QVERIFY(!installQtTranslations(nullptr, LanguageGerman));
}

void TestLanguage::fillMissingEntries_data()
{
    QTest::addColumn<int>("fileEntries");     // entries the file holds
    QTest::addColumn<QList<int>>("blanks");   // entries the file holds empty
    QTest::addColumn<QList<int>>("fromFile"); // entries expected from the file
    const QList<int> all = {1, 26, 50, 51, 52, 55, 56, 57, 58, 59};
    QTest::newRow("complete file") << 60 << QList<int>{} << all;
    QTest::newRow("the first 51 only") << 51 << QList<int>{} << QList<int>{1, 26, 50};
    QTest::newRow("53 entries") << 53 << QList<int>{} << QList<int>{1, 26, 50, 51, 52};
    QTest::newRow("blank later entries")
        << 60 << QList<int>{52, 57} << QList<int>{1, 26, 50, 51, 55, 56, 58, 59};
    // Entries the window has always read keep what the file says, even empty.
    QTest::newRow("blank early entry") << 60 << QList<int>{26} << QList<int>{1, 26, 50, 51, 59};
    QTest::newRow("more than the built-in copy") << 70 << QList<int>{} << all;
}

void TestLanguage::fillMissingEntries()
{
    QFETCH(int, fileEntries);
    QFETCH(QList<int>, blanks);
    QFETCH(QList<int>, fromFile);
    QStringList fallback;
    for (int i = 0; i < 60; ++i)
        fallback.append(u"built-in %1"_s.arg(i));
    QStringList texts;
    for (int i = 0; i < fileEntries; ++i)
        texts.append(blanks.contains(i) ? QString() : u"file %1"_s.arg(i));
    corvane::fillMissingEntries(texts, fallback);
    QCOMPARE(texts.size(), qMax(fileEntries, 60));
    for (int i : fromFile)
        QCOMPARE(texts.at(i), blanks.contains(i) ? QString() : u"file %1"_s.arg(i));
    for (int i = LanguageEntryCount; i < 60; ++i) {
        if (!fromFile.contains(i) && i >= fileEntries)
            QCOMPARE(texts.at(i), u"built-in %1"_s.arg(i));
        if (blanks.contains(i) && i >= LanguageEntryCount)
            QCOMPARE(texts.at(i), u"built-in %1"_s.arg(i));
    }
}

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
