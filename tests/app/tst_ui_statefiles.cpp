// The window's own files planted with something else: a link (to a file the
// user cares about, to a pipe), a pipe or a folder at LastFolder.inc, the
// recent lists, RecentTerms.txt or the settings. The window still appears and
// works, says once what it left alone, and never reads a pipe, writes through
// a link or replaces what was planted. Also: part files left by an unpacking
// cut short go at the start, a recent list that became a folder or a pipe is
// called what it is, and a dropped pipe is never opened to look at it.

#include "app/desktop/RecentLists.h"
#include "testutil_window.h"
#include "zip/testutil_zip.h"

#include <QAction>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

namespace {

const QByteArray List = "Data\\Reports\\q1.doc,2009-05-12 14:33:00,1024,32;AB,Recovered\r\n"
                        "Data\\Photos\\x.jpg,2009-05-14 08:00:00,1,32;EF,Recovered\r\n";

// Keeps a test from hanging on a pipe the window should never have opened:
// whenever someone waits to read it, a writer comes and goes (the reader sees
// its end); whatever is written to it is drained. Each such rescue is counted;
// a reader that opened without waiting and was gone again is not.
class PipeRescuer
{
public:
    explicit PipeRescuer(const QString &fifo) : m_path(QFile::encodeName(fifo))
    {
        std::signal(SIGPIPE, SIG_IGN);
        m_thread = std::thread([this] {
            while (!m_stop) {
                // A writer can open only while someone has the pipe open for
                // reading. The window may open it for a moment without waiting
                // (to see what it is); only a reader still there a while later
                // was waiting on it, and that is a rescue.
                const int writer = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (writer >= 0) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    const int again = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                    if (again >= 0) {
                        ++rescues;
                        ::close(again);
                    }
                    ::close(writer);
                }
                const int reader = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
                if (reader >= 0) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                    char buffer[4096];
                    if (::read(reader, buffer, sizeof buffer) > 0)
                        ++rescues;
                    ::close(reader);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
    }
    ~PipeRescuer()
    {
        m_stop = true;
        m_thread.join();
    }
    std::atomic<int> rescues{0};

private:
    QByteArray m_path;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

struct StateFixture
{
    QTemporaryDir programDir, dataDir, configDir, outside;
    FakePrompts prompts;
    std::unique_ptr<frmMain> window;
    QString data = dataDir.filePath(u"data"_s);
    QString settingsFile = configDir.filePath(u"corvane/corvane.conf"_s);

    StateFixture()
    {
        QFile::copy(projectLangFil(), programDir.filePath(u"lang.fil"_s));
        QDir().mkpath(data);
        QDir().mkpath(QFileInfo(settingsFile).path());
    }
    void start()
    {
        window.reset();
        frmMain::Settings s;
        s.programFolder = programDir.path();
        s.dataFolder = data;
        s.settingsFile = settingsFile;
        s.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        s.today = [] { return QDate(2025, 6, 15); };
        window = std::make_unique<frmMain>(prompts, s);
        window->show();
    }
    QString stateFile(const QString &name) const
    {
        return name == u"corvane.conf"_s ? settingsFile : QDir(data).filePath(name);
    }
    QList<FakePrompts::Call> warningsAbout(const QString &path) const
    {
        QList<FakePrompts::Call> found;
        for (const FakePrompts::Call &call : prompts.callsOf(u"warning"_s)) {
            if (call.text.contains(QDir::toNativeSeparators(path)))
                found.append(call);
        }
        return found;
    }
};

bool isFifo(const QString &path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

} // namespace

class TestUiStateFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void planted_data();
    void planted();
    void oversizedTermsNotRead();
    void stalePartFilesGo();
    void memberFolderLinkRefused();
    void recentListBecameSomethingElse_data();
    void recentListBecameSomethingElse();
    void droppedPipeNeverOpened();
};

void TestUiStateFiles::planted_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("entry");
    for (const QString &name :
         {u"LastFolder.inc"_s, u"RecentLists.ini"_s, u"RecentTerms.txt"_s, u"corvane.conf"_s}) {
        QTest::addRow("%s link", qPrintable(name)) << name << u"link"_s << 150;
        QTest::addRow("%s fifo", qPrintable(name)) << name << u"fifo"_s << 151;
        QTest::addRow("%s link to fifo", qPrintable(name)) << name << u"link to fifo"_s << 150;
        QTest::addRow("%s folder", qPrintable(name)) << name << u"folder"_s << 151;
    }
}

void TestUiStateFiles::planted()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(int, entry);
    StateFixture f;
    const QString at = f.stateFile(name);
    const QString victim = f.outside.filePath(u"victim.txt"_s);
    const QString fifo = kind == u"fifo"_s ? at : f.outside.filePath(u"pipe"_s);
    QVERIFY(writeBytes(victim, "the user's own file\n"));
    if (kind == u"link"_s)
        QVERIFY(QFile::link(victim, at));
    if (kind.contains(u"fifo"_s))
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    if (kind == u"link to fifo"_s)
        QVERIFY(QFile::link(fifo, at));
    if (kind == u"folder"_s)
        QVERIFY(QDir().mkdir(at));
    const QString list = f.outside.filePath(u"list.csv"_s);
    QVERIFY(writeBytes(list, List));

    std::unique_ptr<PipeRescuer> rescuer;
    if (kind.contains(u"fifo"_s))
        rescuer = std::make_unique<PipeRescuer>(fifo);
    f.start();
    QVERIFY(f.window->isVisible());
    // Everything that reads or writes the state files: the open command (the
    // folder of the last list, the recent lists), a term (the recent terms),
    // a tree column and the window's place (the settings).
    f.prompts.openFileAnswers = {list};
    f.window->Command2_Click();
    QTRY_VERIFY_WITH_TIMEOUT(!isLoading(*f.window), 30000);
    QCOMPARE(shownList(*f.window).lineCount, 2);
    control<QLineEdit>(*f.window, "TXT1")->setText(u"q1"_s);
    f.window->Command3_Click();
    QTRY_VERIFY_WITH_TIMEOUT(!isSearching(*f.window) && !isLoading(*f.window), 30000);
    setTreeColumnShown(*f.window, 1, false);
    saveWindowState(*f.window);
    openRecentList(*f.window, 0);
    QTRY_VERIFY_WITH_TIMEOUT(!isLoading(*f.window), 30000);

    // Said once, in the user's language, after the window was built.
    QTRY_COMPARE(f.warningsAbout(at).size(), 1);
    QCOMPARE(f.warningsAbout(at).first().text,
             langColumn(LanguageEnglish).value(entry).arg(QDir::toNativeSeparators(at)));
    // Nothing replaced, nothing written through, no pipe ever waited on.
    QCOMPARE(readBytes(victim), QByteArray("the user's own file\n"));
    if (kind.startsWith(u"link"_s))
        QCOMPARE(QFileInfo(at).symLinkTarget(), kind == u"link"_s ? victim : fifo);
    if (kind.contains(u"fifo"_s))
        QVERIFY(isFifo(fifo));
    if (kind == u"folder"_s)
        QCOMPARE(QDir(at).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
    QCOMPARE(QDir(f.outside.path())
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                 .size(),
             kind.contains(u"fifo"_s) && kind != u"fifo"_s ? 3 : 2);
    if (rescuer)
        QCOMPARE(rescuer->rescues.load(), 0);
    // The next run is just as fine.
    f.prompts.clear();
    f.start();
    QVERIFY(f.window->isVisible());
    QTRY_COMPARE(f.warningsAbout(at).size(), name == u"LastFolder.inc"_s ? 0 : 1);
    if (rescuer)
        QCOMPARE(rescuer->rescues.load(), 0);
}

void TestUiStateFiles::oversizedTermsNotRead()
{
    StateFixture f;
    const QString terms = QDir(f.data).filePath(u"RecentTerms.txt"_s);
    QByteArray big;
    while (big.size() < 4 * 1024 * 1024)
        big += "a term someone never typed\n";
    QVERIFY(writeBytes(terms, big));
    f.start();
    QTRY_COMPARE(f.warningsAbout(terms).size(), 1);
    QCOMPARE(f.warningsAbout(terms).first().text,
             langColumn(LanguageEnglish).value(152).arg(QDir::toNativeSeparators(terms)));
    QCOMPARE(control<QLineEdit>(*f.window, "TXT1")->completer()->model()->rowCount(), 0);
    // A file of ours after all: the next term replaces it.
    control<QLineEdit>(*f.window, "TXT1")->setText(u"report"_s);
    f.window->Command3_Click();
    QTRY_VERIFY_WITH_TIMEOUT(!isSearching(*f.window) && !isLoading(*f.window), 30000);
    QCOMPARE(readBytes(terms), QByteArray("report\n"));
}

void TestUiStateFiles::stalePartFilesGo()
{
    StateFixture f;
    const QString folder = QDir(f.data).filePath(u"archives/lists-0123456789ab"_s);
    QVERIFY(QDir().mkpath(folder));
    const QString part = QDir(folder).filePath(u".list.csv.00abcdefghijk.part"_s);
    QVERIFY(writeBytes(part, List.left(40))); // cut short
    const QString member = QDir(folder).filePath(u"list.csv"_s);
    QVERIFY(writeBytes(member, List));
    f.start();
    QVERIFY(!QFileInfo::exists(part));
    QCOMPARE(readBytes(member), List);
}

void TestUiStateFiles::memberFolderLinkRefused()
{
    StateFixture f;
    const QString zipPath = f.outside.filePath(u"delivery.zip"_s);
    QVERIFY(corvane::testing::writeZip(zipPath, {corvane::testing::entry("list.csv", List)}));
    QTemporaryDir elsewhere;
    QVERIFY(QFile::link(elsewhere.path(), QDir(f.data).filePath(u"archives"_s)));
    f.start();
    f.prompts.openFileAnswers = {zipPath};
    f.window->Command2_Click();
    QTRY_VERIFY_WITH_TIMEOUT(!isLoading(*f.window), 30000);
    QCOMPARE(
        QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList());
    QCOMPARE(shownList(*f.window).lineCount, 0);
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    QVERIFY2(f.prompts.callsOf(u"warning"_s)
                 .first()
                 .text.startsWith(langColumn(LanguageEnglish).value(79)),
             qPrintable(f.prompts.callsOf(u"warning"_s).first().text));
}

void TestUiStateFiles::recentListBecameSomethingElse_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("language");
    const QList<std::pair<QString, int>> kinds = {
        {u"folder"_s, 153}, {u"fifo"_s, 154}, {u"missing"_s, 126}};
    for (const auto &[kind, entry] : kinds) {
        for (int language : {LanguageEnglish, LanguagePortuguese, LanguageGerman, LanguageFrench,
                             LanguageSwedish, LanguageDutch})
            QTest::addRow("%s %d", qPrintable(kind), language) << kind << entry << language;
    }
}

void TestUiStateFiles::recentListBecameSomethingElse()
{
    QFETCH(QString, kind);
    QFETCH(int, entry);
    QFETCH(int, language);
    StateFixture f;
    const QString kept = f.outside.filePath(u"kept.csv"_s);
    const QString changed = f.outside.filePath(u"changed.csv"_s);
    QVERIFY(writeBytes(kept, List));
    if (kind == u"folder"_s)
        QVERIFY(QDir().mkdir(changed));
    if (kind == u"fifo"_s)
        QCOMPARE(::mkfifo(QFile::encodeName(changed).constData(), 0600), 0);
    QVERIFY(writeRecentLists(f.data, {changed, kept}));
    f.start();
    f.window->LoadLanguage(language);
    openRecentList(*f.window, 0);
    QVERIFY(!isLoading(*f.window));
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    const QString expected =
        langColumn(language).value(entry).arg(QDir::toNativeSeparators(changed));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(f.prompts.callsOf(u"warning"_s).first().text, expected);
    QCOMPARE(recentLists(*f.window), QStringList{kept});
}

void TestUiStateFiles::droppedPipeNeverOpened()
{
    StateFixture f;
    const QString fifo = f.outside.filePath(u"pipe"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    PipeRescuer rescuer(fifo);
    f.start();
    QVERIFY(!openDroppedFiles(*f.window, {QUrl::fromLocalFile(fifo)}));
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    QCOMPARE(rescuer.rescues.load(), 0);
}

QTEST_MAIN(TestUiStateFiles)
#include "tst_ui_statefiles.moc"
