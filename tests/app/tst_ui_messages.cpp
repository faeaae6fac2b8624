// The window's messages about lists it cannot open or read, in every
// language: a list that changes while it is read, one that cannot be read to
// its end, a folder, an empty file, an unreadable file, zip archives that are
// cut short, damaged, hold no list or only one protected by a password. Each
// leads with the text of the UI language; a system or zip library reason
// follows only as a marked detail.

#include "browse/ui/FolderTreeModel.h"
#include "listfile/ListReader.h"
#include "testutil_window.h"
#include "zip/testutil_zip.h"

#include <QTabWidget>

#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;
namespace zipfix = corvane::testing;

namespace {

const QByteArray line = "Data\\A\\file.txt,2009-01-01,100,32;x,ok\r\n"; // 40 bytes
constexpr int Lines = 300000;
constexpr int LinesBeforeTheCut = 150000; // the reading comes back after 4 MB

// A window whose loader runs `load` (empty: the real one).
struct Window : WindowFixture
{
    explicit Window(int language,
                    std::function<LoadedList(const QString &, const LoadOptions &)> load = {})
        : WindowFixture([&load](frmMain::Settings &s) { s.loadList = std::move(load); })
    {
        window->LoadLanguage(language);
    }

    // Opens path as the command line does and waits for a load it starts.
    void open(const QString &path)
    {
        LoadSpy loaded(*window);
        window->OpenListFromCommandLine(path);
        if (isLoading(*window))
            QVERIFY(loaded.wait(60000));
    }

    QList<FakePrompts::Call> warnings() const { return prompts.callsOf(u"warning"_s); }
};

QByteArray listOf(int lines)
{
    QByteArray block;
    for (int i = 0; i < 1000; ++i)
        block += line;
    QByteArray out;
    for (int i = 0; i < lines / 1000; ++i)
        out += block;
    return out;
}

} // namespace

class TestUiMessages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changedWhileRead_data();
    void changedWhileRead();
    void cannotOpen_data();
    void cannotOpen();
    void statusLine_data();
    void statusLine();
};

void TestUiMessages::changedWhileRead_data()
{
    addLanguageRows();
}

// The list is cut to half by another program once the first part of it was
// read: the window says so in its language and shows the lines read.
void TestUiMessages::changedWhileRead()
{
    QFETCH(int, language);
    Window w(language, [](const QString &path, const LoadOptions &options) {
        bool cut = false;
        ListBytes bytes = readListFile(path, [&](qint64, qint64) {
            if (!cut) {
                cut = true;
                if (::truncate(QFile::encodeName(path).constData(),
                               qint64(LinesBeforeTheCut) * line.size() + 17) != 0)
                    qWarning("truncate failed");
            }
            return true;
        });
        return loadListBytes(std::move(bytes), options);
    });
    const QString path = w.dataDir.filePath(u"list.csv"_s);
    QVERIFY(writeBytes(path, listOf(Lines)));
    w.open(path);

    const auto warnings = w.warnings();
    QCOMPARE(warnings.size(), 1);
    QCOMPARE(warnings[0].text,
             langColumn(language).value(70) + u"\n\n"_s + QDir::toNativeSeparators(path));
    QCOMPARE(shownList(*w.window).lineCount, LinesBeforeTheCut);
    // The count as the window's language writes it.
    QCOMPARE(control<QLabel>(*w.window, "Label22")->text(),
             displayLocale(language, userLocale(*w.window)).toString(150000));
    QCOMPARE(control<QTabWidget>(*w.window, "SSTab1")->currentIndex(), 1);
    QVERIFY(folderTreeModel(*w.window)->rowCount() > 0);
}

void TestUiMessages::cannotOpen_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("detail"); // in the marked detail ("*": any); empty: no detail
    QTest::addColumn<int>("linesShown");

    const QList<std::pair<const char *, int>> languages = {
        {"English", LanguageEnglish}, {"Portuguese", LanguagePortuguese},
        {"German", LanguageGerman},   {"French", LanguageFrench},
        {"Swedish", LanguageSwedish}, {"Dutch", LanguageDutch}};
    for (const auto &named : languages) {
        const char *name = named.first;
        const int language = named.second;
        const auto row = [&](const char *kind) -> QTestData & {
            return QTest::addRow("%s, %s", kind, name) << language << QString::fromLatin1(kind);
        };
        row("read error after two lines") << 81 << u"Input/output error"_s << 2;
        row("read error at once") << 82 << u"Input/output error"_s << 0;
        row("unreadable file") << 82 << u"*"_s << 0; // the system's words
        row("folder") << 83 << QString() << 0;
        row("empty file") << 84 << QString() << 0;
        row("zip without a list") << 85 << QString() << 0;
        row("zip cut short") << 86 << QString() << 0;
        row("zip with a damaged directory") << 87 << u"zip"_s << 0;
        row("list in a zip protected by a password") << 75 << u"password"_s << 0;
    }
}

void TestUiMessages::cannotOpen()
{
    QFETCH(int, language);
    QFETCH(QString, kind);
    QFETCH(int, entry);
    QFETCH(QString, detail);
    QFETCH(int, linesShown);

    const bool readError = kind.startsWith(u"read error"_s);
    Window w(language, [readError, linesShown](const QString &path, const LoadOptions &options) {
        if (!readError)
            return loadList(path, options);
        ListBytes bytes;
        bytes.fileFound = true;
        bytes.bytes = listOf(1000).left(linesShown * line.size());
        bytes.error = u"Input/output error"_s;
        return loadListBytes(std::move(bytes), options);
    });
    QString path = w.dataDir.filePath(u"chosen.csv"_s);
    if (readError) {
        QVERIFY(writeBytes(path, listOf(1000)));
    } else if (kind == u"unreadable file"_s) {
        QVERIFY(writeBytes(path, listOf(1000)));
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    } else if (kind == u"folder"_s) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == u"empty file"_s) {
        QVERIFY(writeBytes(path, {}));
    } else {
        path = w.dataDir.filePath(u"chosen.zip"_s);
        if (kind == u"zip without a list"_s) {
            QVERIFY(zipfix::writeZip(path, {zipfix::entry("photo.jpg", "not a list")}));
        } else if (kind.contains(u"password"_s)) {
            if (!zip_encryption_method_supported(ZIP_EM_AES_256, 1))
                QSKIP("libzip without AES");
            zipfix::FixtureEntry secret = zipfix::entry("secret.csv", listOf(1000));
            secret.encryption = ZIP_EM_AES_256;
            QVERIFY(zipfix::writeZip(path, {secret}));
        } else {
            QVERIFY(zipfix::writeZip(path, {zipfix::entry("a.csv", listOf(1000))}));
            QByteArray bytes = readBytes(path);
            if (kind == u"zip cut short"_s) {
                bytes.truncate(bytes.size() / 2);
            } else {
                // The end record counts two entries where the directory holds one.
                const qsizetype at = bytes.lastIndexOf("PK\x05\x06");
                QVERIFY(at > 0);
                bytes[at + 8] = 2;
                bytes[at + 10] = 2;
            }
            QVERIFY(writeBytes(path, bytes));
        }
    }
    {
        // The file itself is what cannot be read, also when run as root.
        const AsOrdinaryUser user(w.dataDir.path(), kind == u"unreadable file"_s);
        w.open(path);
    }

    const auto warnings = w.warnings();
    QCOMPARE(warnings.size(), 1);
    const QStringList texts = langColumn(language);
    const QString lead = texts.value(entry).arg(QDir::toNativeSeparators(path));
    QVERIFY(!texts.value(entry).isEmpty());
    const QString text = warnings[0].text;
    if (detail.isEmpty()) {
        QCOMPARE(text, lead);
    } else {
        const QString marked = u"\n\n"_s + texts.value(89) + u"\n"_s;
        QVERIFY2(text.startsWith(lead + marked), qPrintable(text));
        const QString shownDetail = text.mid(lead.size() + marked.size());
        QVERIFY2(detail == u"*"_s ? !shownDetail.isEmpty() : shownDetail.contains(detail),
                 qPrintable(text));
    }
    if (readError) {
        QCOMPARE(shownList(*w.window).lineCount, linesShown);
        QCOMPARE(control<QLabel>(*w.window, "Label22")->text(), QString::number(linesShown));
    }
}

void TestUiMessages::statusLine_data()
{
    addLanguageRows();
}

// The open page's status line after a lab's note or a chosen list could not
// be unpacked: what happened, in the UI language.
void TestUiMessages::statusLine()
{
    QFETCH(int, language);
    if (!zip_encryption_method_supported(ZIP_EM_AES_256, 1))
        QSKIP("libzip without AES");
    Window w(language);
    const QStringList texts = langColumn(language);
    const QString path = w.dataDir.filePath(u"delivery.zip"_s);
    zipfix::FixtureEntry note = zipfix::entry("readme.txt", "Dear customer");
    note.encryption = ZIP_EM_AES_256;
    // A stored list whose bytes no longer match its checksum.
    QByteArray damagedList = listOf(1000).left(10 * line.size());
    damagedList.replace("Data\\A", "Data\\B");
    zipfix::FixtureEntry damaged = zipfix::entry("damaged.csv", damagedList);
    damaged.store = true;
    QVERIFY(zipfix::writeZip(
        path, {note, damaged, zipfix::entry("plain.csv", listOf(1000).left(10 * line.size()))}));
    QByteArray bytes = readBytes(path);
    const qsizetype at = bytes.indexOf("Data\\B");
    QVERIFY(at > 0);
    bytes[at + 5] = 'C';
    QVERIFY(writeBytes(path, bytes));
    w.open(path);
    QCOMPARE(control<QLabel>(*w.window, "Label8")->text(), texts.value(145).arg(u"readme.txt"_s));
    QVERIFY(!texts.value(145).isEmpty());

    LoadSpy loaded(*w.window);
    w.window->iGrid3_DblClick(1, 1); // damaged.csv
    if (isLoading(*w.window))
        QVERIFY(loaded.wait(30000));
    QCOMPARE(control<QLabel>(*w.window, "Label8")->text(), texts.value(76));
    const auto warnings = w.warnings();
    QCOMPARE(warnings.size(), 1);
    QVERIFY(warnings[0].text.startsWith(texts.value(76) + u"\n\n"_s + texts.value(89)));
}

QTEST_MAIN(TestUiMessages)
#include "tst_ui_messages.moc"
