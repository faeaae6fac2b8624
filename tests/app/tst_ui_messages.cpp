// The window's messages about lists it cannot read, in every language: a
// list that changes while it is read.

#include "browse/ui/FolderTreeModel.h"
#include "listfile/ListReader.h"
#include "testutil_window.h"

#include <QTabWidget>

#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

namespace {

const QByteArray line = "Data\\A\\file.txt,2009-01-01,100,32;x,ok\r\n"; // 40 bytes
constexpr int Lines = 300000;
constexpr int LinesBeforeTheCut = 150000; // the reading comes back after 4 MB

// A window whose loader runs `load` (empty: the real one).
struct Window
{
    QTemporaryDir programDir;
    QTemporaryDir dataDir;
    FakePrompts prompts;
    std::unique_ptr<frmMain> window;

    explicit Window(int language,
                    std::function<LoadedList(const QString &, const LoadOptions &)> load = {})
    {
        QFile::copy(projectLangFil(), programDir.filePath(u"lang.fil"_s));
        frmMain::Settings s;
        s.programFolder = programDir.path();
        s.dataFolder = dataDir.filePath(u"data"_s);
        s.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        s.loadList = std::move(load);
        window = std::make_unique<frmMain>(prompts, s);
        window->LoadLanguage(language);
    }

    // Opens path as the command line does and waits for a load it starts.
    void open(const QString &path)
    {
        QSignalSpy loaded(window.get(), &frmMain::listLoaded);
        window->OpenListFromCommandLine(path);
        if (window->isLoading())
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

class tst_ui_messages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changedWhileRead_data();
    void changedWhileRead();
};

void tst_ui_messages::changedWhileRead_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << int(LanguageEnglish);
    QTest::newRow("Portuguese") << int(LanguagePortuguese);
    QTest::newRow("German") << int(LanguageGerman);
    QTest::newRow("French") << int(LanguageFrench);
    QTest::newRow("Swedish") << int(LanguageSwedish);
    QTest::newRow("Dutch") << int(LanguageDutch);
}

// The list is cut to half by another program once the first part of it was
// read: the window says so in its language and shows the lines read.
void tst_ui_messages::changedWhileRead()
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
    QCOMPARE(w.window->loadedList().lineCount, LinesBeforeTheCut);
    QCOMPARE(w.window->Label22->text(), u"150,000"_s);
    QCOMPARE(w.window->SSTab1->currentIndex(), 1);
    QVERIFY(w.window->folderTreeModel()->rowCount() > 0);
}

QTEST_MAIN(tst_ui_messages)
#include "tst_ui_messages.moc"
