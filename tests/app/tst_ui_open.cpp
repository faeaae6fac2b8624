// The open command, Reload, the zip member choice and a list on the command
// line, through the window with fake prompts.

#include "testutil_window.h"
#include "zip/ZipMemberModel.h"
#include "zip/testutil_zip.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDateTime>
#include <QGroupBox>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;
namespace zipfix = corvane::testing;

namespace {

QStringList gridNames(const frmMain &window)
{
    return columnTexts(control<QTableView>(window, "iGrid3")->model());
}

// Opens lists.zip in `user`, holding a.csv (3 lines) and b.csv (4 lines).
QString openTwoLists(WindowFixture &f, const QTemporaryDir &user)
{
    QString zip = user.filePath(u"lists.zip"_s);
    if (!zipfix::writeZip(zip, {zipfix::entry("a.csv", listBytes("A", 3)),
                                zipfix::entry("b.csv", listBytes("B", 4))}))
        QTest::qFail("cannot write lists.zip", __FILE__, __LINE__);
    f.open(zip);
    return zip;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TestUiOpen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dialogAndLastFolder();
    void plainLists_data();
    void plainLists();
    void zipArchives_data();
    void zipArchives();
    void cancelKeepsList();
    void badChoices_data();
    void badChoices();
    void emptyFile();
    void reload_data();
    void reload();
    void memberChoiceAndReplace_data();
    void memberChoiceAndReplace();
    void memberChoiceByEnter();
    void encryptedMember();
    void unsafeEntriesNoted();
    void dataFolderNotWritable();
    void commandLineZip();
    void sampleZip();
};

void TestUiOpen::dialogAndLastFolder()
{
    WindowFixture f;
    QTemporaryDir user;
    QVERIFY(QDir().mkpath(user.filePath(u"Lists"_s)));
    const QString list = user.filePath(u"Lists/disk1.csv"_s);
    QVERIFY(zipfix::writeBytes(list, listBytes("C:", 3)));

    f.open(list);
    auto dialogs = f.prompts.callsOf(u"openFile"_s);
    QCOMPARE(dialogs.size(), 1);
    QCOMPARE(dialogs[0].title, u"Select File List"_s);
    QCOMPARE(dialogs[0].filter, u"File Lists (*.csv;*.zip)"_s);
    QCOMPARE(dialogs[0].startFolder, QDir::homePath()); // no LastFolder.inc yet
    QCOMPARE(zipfix::readBytes(QDir(dataFolder(*f.window)).filePath(u"LastFolder.inc"_s)),
             user.filePath(u"Lists"_s).toUtf8() + "\r\n");

    f.prompts.clear();
    f.open(QString());
    dialogs = f.prompts.callsOf(u"openFile"_s);
    QCOMPARE(dialogs.size(), 1);
    QCOMPARE(dialogs[0].startFolder, user.filePath(u"Lists"_s));
}

void TestUiOpen::plainLists_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("lines");
    QTest::newRow("list") << listBytes("C:", 5) << 5;
    QTest::newRow("Pk text") << listBytes("Pk", 4) << 4;
    QTest::newRow("pK text") << listBytes("pK", 2) << 2;
    QTest::newRow("PK text") << listBytes("PKG", 3) << 3;
    QTest::newRow("text after a zip signature") << listBytes("PK\x03\x04", 2) << 2;
    QTest::newRow("text after a zip end signature") << listBytes("PK\x05\x06", 3) << 3;
}

void TestUiOpen::plainLists()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, lines);
    WindowFixture f;
    QTemporaryDir user;
    const QString list = user.filePath(u"disk.zip"_s); // the name does not matter
    f.openNew(list, bytes);
    QCOMPARE(f.prompts.boxCount(), 0);
    QCOMPARE(currentListFile(*f.window), list);
    QCOMPARE(shownList(*f.window).lineCount, lines);
    QCOMPARE(control<QTabWidget>(*f.window, "SSTab1")->currentIndex(), 1);
    QVERIFY(f.commandsEnabled());
    QVERIFY(control<QGroupBox>(*f.window, "Frame3")->isHidden());
    QCOMPARE(zipfix::readBytes(list), bytes);
}

void TestUiOpen::zipArchives_data()
{
    QTest::addColumn<QList<zipfix::FixtureEntry>>("entries");
    QTest::addColumn<QString>("loaded");        // entry loaded as the list, or empty
    QTest::addColumn<QStringList>("grid");      // rows offered when the grid is shown
    QTest::addColumn<QStringList>("extracted"); // files in the data folder afterwards
    QTest::addColumn<bool>("warned");

    using zipfix::entry;
    const QByteArray a = listBytes("A", 3);
    const QByteArray b = listBytes("B", 4);
    QTest::newRow("one list") << QList<zipfix::FixtureEntry>{entry("list.csv", a)} << u"list.csv"_s
                              << QStringList{} << QStringList{u"LastFolder.inc"_s, u"list.csv"_s}
                              << false;
    QTest::newRow("two lists and a note")
        << QList<zipfix::FixtureEntry>{entry("a.csv", a), entry("b.csv", b),
                                       entry("notes.txt", "read me")}
        << QString() << QStringList{u"a.csv"_s, u"b.csv"_s} << QStringList{u"LastFolder.inc"_s}
        << false; // notes are read from the archive
    QTest::newRow("upper-case note")
        << QList<zipfix::FixtureEntry>{entry("a.csv", a), entry("NOTES.TXT", "read me"),
                                       entry("b.csv", b)}
        << QString() << QStringList{u"a.csv"_s, u"b.csv"_s} << QStringList{u"LastFolder.inc"_s}
        << false;
    QTest::newRow("one list and a note")
        << QList<zipfix::FixtureEntry>{entry("a.csv", a), entry("notes.txt", "read me")}
        << u"a.csv"_s << QStringList{} << QStringList{u"LastFolder.inc"_s, u"a.csv"_s} << false;
    QTest::newRow("notes only") << QList<zipfix::FixtureEntry>{entry("notes.txt", "n"),
                                                               entry("readme.log", "r")}
                                << QString() << QStringList{} << QStringList{u"LastFolder.inc"_s}
                                << true;
    QTest::newRow("no list at all")
        << QList<zipfix::FixtureEntry>{entry("photo.jpg", "jpg")} << QString() << QStringList{}
        << QStringList{u"LastFolder.inc"_s} << true;
    QTest::newRow("empty archive") << QList<zipfix::FixtureEntry>{} << QString() << QStringList{}
                                   << QStringList{u"LastFolder.inc"_s} << true;
    QTest::newRow("list in a folder")
        << QList<zipfix::FixtureEntry>{entry("disk/2024/list.csv", a)} << u"list.csv"_s
        << QStringList{} << QStringList{u"LastFolder.inc"_s, u"list.csv"_s} << false;
}

void TestUiOpen::zipArchives()
{
    QFETCH(QList<zipfix::FixtureEntry>, entries);
    QFETCH(QString, loaded);
    QFETCH(QStringList, grid);
    QFETCH(QStringList, extracted);
    QFETCH(bool, warned);
    WindowFixture f;
    QTemporaryDir user;
    const QString before = user.filePath(u"before.csv"_s);
    f.openNew(before, listBytes("Old", 2));
    QCOMPARE(shownList(*f.window).lineCount, 2);
    f.prompts.clear();

    const QString zipPath = user.filePath(u"lists.zip"_s);
    QVERIFY(zipfix::writeZip(zipPath, entries));
    const QByteArray zipBytes = zipfix::readBytes(zipPath);
    f.open(zipPath);

    QCOMPARE(zipfix::readBytes(zipPath), zipBytes);
    // The archive's members stand in its own folder.
    // Each unpacked member has its record beside it.
    QStringList kept = filesIn(dataFolder(*f.window));
    QStringList recorded;
    for (const QString &name : filesIn(memberFolder(*f.window))) {
        if (corvane::zip::isCopyRecordName(name))
            recorded << name.mid(1).chopped(int(qstrlen(".extracted")));
        else
            kept << name;
    }
    kept.sort();
    QCOMPARE(kept, extracted);
    for (const QString &member : recorded)
        QVERIFY2(kept.contains(member), qPrintable(member));
    QCOMPARE(recorded.size(), loaded.isEmpty() ? 0 : 1);
    QCOMPARE(f.prompts.count(u"warning"_s), warned ? 1 : 0);
    QVERIFY(f.commandsEnabled());
    if (!loaded.isEmpty()) {
        QCOMPARE(currentListFile(*f.window), QDir(memberFolder(*f.window)).filePath(loaded));
        QVERIFY(shownList(*f.window).lineCount > 2);
        QVERIFY(control<QGroupBox>(*f.window, "Frame3")->isHidden());
        QCOMPARE(control<QLabel>(*f.window, "Label8")->text(),
                 langText(*f.window, LangEntry::LoadedFromZip));
        QCOMPARE(control<QTabWidget>(*f.window, "SSTab1")->currentIndex(), 1);
    } else if (!grid.isEmpty()) {
        QCOMPARE(gridNames(*f.window), grid);
        QVERIFY(!control<QGroupBox>(*f.window, "Frame3")->isHidden());
        QCOMPARE(shownList(*f.window).lineCount, 0); // nothing loaded yet
        QCOMPARE(currentListFile(*f.window), QString());
        QCOMPARE(control<QTabWidget>(*f.window, "SSTab1")->isTabEnabled(1), false);
    } else {
        // Nothing to load: the list shown before stays.
        QCOMPARE(currentListFile(*f.window), before);
        QCOMPARE(shownList(*f.window).lineCount, 2);
        QVERIFY(control<QGroupBox>(*f.window, "Frame3")->isHidden());
    }
}

void TestUiOpen::cancelKeepsList()
{
    WindowFixture f;
    QTemporaryDir user;
    const QString list = user.filePath(u"disk1.csv"_s);
    f.openNew(list, listBytes("C:", 7));
    const QString prefix = rootPrefix(*f.window);
    f.prompts.clear();
    f.open(QString());
    QCOMPARE(f.prompts.count(u"openFile"_s), 1);
    QCOMPARE(f.prompts.boxCount(), 0);
    QCOMPARE(shownList(*f.window).lineCount, 7);
    QCOMPARE(currentListFile(*f.window), list);
    QCOMPARE(rootPrefix(*f.window), prefix);
    QCOMPARE(control<QLabel>(*f.window, "Label8")->text(), QString());
    QVERIFY(f.commandsEnabled());
    QVERIFY(control<QTabWidget>(*f.window, "SSTab1")->isTabEnabled(1));
}

void TestUiOpen::badChoices_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("langText43");
    QTest::newRow("missing file") << u"missing"_s << true;
    QTest::newRow("folder") << u"folder"_s << false;
    QTest::newRow("truncated zip") << u"truncated"_s << false;
    QTest::newRow("bad directory") << u"signature only"_s << false;
}

void TestUiOpen::badChoices()
{
    QFETCH(QString, kind);
    QFETCH(bool, langText43);
    WindowFixture f;
    QTemporaryDir user;
    const QString list = user.filePath(u"disk1.csv"_s);
    f.openNew(list, listBytes("C:", 3));
    f.prompts.clear();

    QString chosen = user.filePath(u"chosen.zip"_s);
    if (kind == u"folder"_s) {
        QVERIFY(QDir().mkpath(chosen));
    } else if (kind == u"truncated"_s) {
        QVERIFY(zipfix::writeZip(chosen, {zipfix::entry("a.csv", listBytes("A", 300))}));
        QByteArray bytes = zipfix::readBytes(chosen);
        bytes.truncate(bytes.size() / 2);
        QVERIFY(zipfix::writeBytes(chosen, bytes));
    } else if (kind == u"signature only"_s) {
        QVERIFY(zipfix::writeBytes(chosen, QByteArray("PK\x03\x04", 4)));
    }
    const QByteArray bytes = zipfix::readBytes(chosen);
    f.open(chosen);
    const auto warnings = f.prompts.callsOf(u"warning"_s);
    QCOMPARE(warnings.size(), 1);
    QCOMPARE(warnings[0].title, u"Error"_s);
    QCOMPARE(warnings[0].text.startsWith(langText(*f.window, LangEntry::ListNotFound)), langText43);
    QVERIFY(warnings[0].text.contains(QDir::toNativeSeparators(chosen)));
    QCOMPARE(shownList(*f.window).lineCount, 3);
    QCOMPARE(currentListFile(*f.window), list);
    QVERIFY(f.commandsEnabled());
    QCOMPARE(zipfix::readBytes(chosen), bytes);
}

void TestUiOpen::emptyFile()
{
    // A 0-byte file is no zip whatever its name: said so, and loaded as an empty list.
    WindowFixture f;
    QTemporaryDir user;
    const QString chosen = user.filePath(u"empty.zip"_s);
    f.openNew(chosen, QByteArray());
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    QVERIFY(f.prompts.callsOf(u"warning"_s)[0].text.contains(u"empty"_s));
    QCOMPARE(currentListFile(*f.window), chosen);
    QCOMPARE(shownList(*f.window).lineCount, 0);
    QVERIFY(f.commandsEnabled());
    QCOMPARE(QFileInfo(chosen).size(), 0);
}

void TestUiOpen::reload_data()
{
    QTest::addColumn<bool>("gone"); // the file removed before Reload, whose dialog is cancelled
    QTest::newRow("file changed") << false;
    QTest::newRow("file gone") << true;
}

void TestUiOpen::reload()
{
    QFETCH(bool, gone);
    WindowFixture f;
    QTemporaryDir user;
    const QString list = user.filePath(u"disk1.csv"_s);
    f.openNew(list, listBytes("C:", 3));
    if (gone)
        QVERIFY(QFile::remove(list));
    else
        QVERIFY(zipfix::writeBytes(list, listBytes("C:", 5)));
    f.prompts.clear();
    QAction *reload = control<QAction>(*f.window, "mnuReload");
    reload->setEnabled(true);
    reload->trigger();
    QVERIFY(waitForLoad(*f.window));
    QCOMPARE(f.prompts.count(u"openFile"_s), gone ? 1 : 0);
    QCOMPARE(shownList(*f.window).lineCount, gone ? 0 : 5);
    if (gone) {
        QCOMPARE(control<QLabel>(*f.window, "Label4")->text(), u"0"_s);
        QCOMPARE(control<QTabWidget>(*f.window, "SSTab1")->isTabEnabled(1), false);
    } else {
        QCOMPARE(currentListFile(*f.window), list);
        QCOMPARE(control<QLineEdit>(*f.window, "TXT1")->text(), QString());
    }
    QCOMPARE(reload->isEnabled(), false);
    QVERIFY(f.commandsEnabled());
}

void TestUiOpen::memberChoiceAndReplace_data()
{
    QTest::addColumn<QString>("change"); // what happened between the two choices
    QTest::addColumn<int>("lines");      // the lines loaded the second time
    QTest::addColumn<bool>("reused");    // the copy of the first time was used
    QTest::newRow("nothing") << u"none"_s << 4 << true;
    QTest::newRow("the copy was edited") << u"copy"_s << 4 << false;
    QTest::newRow("the copy was touched") << u"touch"_s << 4 << false;
    QTest::newRow("the member changed in the archive") << u"archive"_s << 5 << false;
    QTest::newRow("a link at the copy's name") << u"link"_s << 4 << false;
    QTest::newRow("the record is gone") << u"record"_s << 4 << false;
}

// The same member chosen again asks nothing: the copy is used while the
// member's bytes are unchanged, and replaced otherwise.
void TestUiOpen::memberChoiceAndReplace()
{
    QFETCH(QString, change);
    QFETCH(int, lines);
    QFETCH(bool, reused);
    WindowFixture f;
    QTemporaryDir user;
    const QString zipPath = openTwoLists(f, user);
    QCOMPARE(gridNames(*f.window), (QStringList{u"a.csv"_s, u"b.csv"_s}));
    QAbstractItemModelTester tester(control<QTableView>(*f.window, "iGrid3")->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);

    const QString target = QDir(memberFolder(*f.window)).filePath(u"b.csv"_s);
    f.window->iGrid3_DblClick(2, 1);
    QVERIFY(waitForLoad(*f.window));
    QCOMPARE(f.prompts.count(u"question"_s), 0);
    QCOMPARE(currentListFile(*f.window), target);
    QCOMPARE(shownList(*f.window).lineCount, 4);
    QCOMPARE(rootPrefix(*f.window), u"B\\"_s);
    QCOMPARE(control<QTabWidget>(*f.window, "SSTab1")->currentIndex(), 1);
    QVERIFY(!control<QGroupBox>(*f.window, "Frame3")->isHidden()); // the other list stays on offer
    const QByteArray zipBytes = zipfix::readBytes(zipPath);

    const QString elsewhere = user.filePath(u"elsewhere.csv"_s);
    if (change == u"copy"_s) {
        // Another size: the edit is seen whatever the clock's grain.
        QVERIFY(zipfix::writeBytes(target, listBytes("Changed", 4)));
    } else if (change == u"touch"_s) {
        QFile copy(target);
        QVERIFY(copy.open(QIODevice::ReadWrite));
        QVERIFY(copy.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                 QFileDevice::FileModificationTime));
    } else if (change == u"archive"_s) {
        QVERIFY(zipfix::writeZip(zipPath, {zipfix::entry("a.csv", listBytes("A", 3)),
                                           zipfix::entry("b.csv", listBytes("B", 5))}));
    } else if (change == u"link"_s) {
        QVERIFY(zipfix::writeBytes(elsewhere, listBytes("E", 2)));
        QVERIFY(QFile::remove(target));
        QVERIFY(QFile::link(elsewhere, target));
    } else if (change == u"record"_s) {
        QVERIFY(QFile::remove(QDir(memberFolder(*f.window)).filePath(u".b.csv.extracted"_s)));
    }
    struct stat before;
    QCOMPARE(::lstat(QFile::encodeName(target).constData(), &before), 0);

    f.prompts.clear();
    f.window->iGrid3_DblClick(2, 1);
    QVERIFY(waitForLoad(*f.window));
    QCOMPARE(f.prompts.count(u"question"_s), 0);
    QCOMPARE(f.prompts.boxCount(), 0);
    QCOMPARE(currentListFile(*f.window), target);
    QCOMPARE(shownList(*f.window).lineCount, lines);
    QCOMPARE(rootPrefix(*f.window), u"B\\"_s);
    QCOMPARE(zipfix::readBytes(target), listBytes("B", lines));
    QFileInfo copy(target);
    QVERIFY(copy.isFile() && !copy.isSymLink());
    struct stat after;
    QCOMPARE(::lstat(QFile::encodeName(target).constData(), &after), 0);
    // Used as it was, or written anew (a new file renamed over the name).
    QCOMPARE(after.st_ino == before.st_ino, reused);
    if (change == u"link"_s)
        QCOMPARE(zipfix::readBytes(elsewhere), listBytes("E", 2));
    if (change != u"archive"_s)
        QCOMPARE(zipfix::readBytes(zipPath), zipBytes);

    // Another member of the same archive.
    f.window->iGrid3_DblClick(1, 1);
    QVERIFY(waitForLoad(*f.window));
    QCOMPARE(currentListFile(*f.window), QDir(memberFolder(*f.window)).filePath(u"a.csv"_s));
    QCOMPARE(rootPrefix(*f.window), u"A\\"_s);
    QVERIFY(f.commandsEnabled());
    QVERIFY(control<QProgressBar>(*f.window, "ProgressBar1")->isHidden());
}

void TestUiOpen::memberChoiceByEnter()
{
    WindowFixture f;
    QTemporaryDir user;
    openTwoLists(f, user);
    auto *grid = control<QTableView>(*f.window, "iGrid3");
    grid->setCurrentIndex(grid->model()->index(1, 0));
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(waitForLoad(*f.window));
    QCOMPARE(shownList(*f.window).lineCount, 4);
}

void TestUiOpen::encryptedMember()
{
    if (!zip_encryption_method_supported(ZIP_EM_AES_256, 1))
        QSKIP("libzip without AES");
    WindowFixture f;
    QTemporaryDir user;
    const QString zipPath = user.filePath(u"lists.zip"_s);
    zipfix::FixtureEntry secret = zipfix::entry("secret.csv", listBytes("S", 3));
    secret.encryption = ZIP_EM_AES_256;
    QVERIFY(zipfix::writeZip(zipPath, {secret, zipfix::entry("plain.csv", listBytes("P", 2))}));
    f.open(zipPath);
    QCOMPARE(gridNames(*f.window), (QStringList{u"secret.csv"_s, u"plain.csv"_s}));
    f.window->iGrid3_DblClick(1, 1);
    QVERIFY(waitForLoad(*f.window));
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    QVERIFY(f.prompts.callsOf(u"warning"_s)[0].text.contains(u"password"_s));
    QCOMPARE(filesIn(dataFolder(*f.window)), QStringList{u"LastFolder.inc"_s});
    f.window->iGrid3_DblClick(2, 1);
    QVERIFY(waitForLoad(*f.window));
    QCOMPARE(shownList(*f.window).lineCount, 2);
}

void TestUiOpen::unsafeEntriesNoted()
{
    WindowFixture f;
    QTemporaryDir user;
    const QString zipPath = user.filePath(u"lists.zip"_s);
    QVERIFY(zipfix::writeZip(zipPath, {zipfix::entry("../evil.csv"), zipfix::entry("/abs.csv"),
                                       zipfix::entry("a.csv", listBytes("A", 3)),
                                       zipfix::entry("b.csv", listBytes("B", 4))}));
    f.open(zipPath);
    QCOMPARE(gridNames(*f.window), (QStringList{u"a.csv"_s, u"b.csv"_s}));
    QCOMPARE(control<QLabel>(*f.window, "Label9")->text(),
             corvane::test::langColumn(LanguageEnglish).value(88).arg(2));
    QVERIFY(!control<QLabel>(*f.window, "Label9")->isHidden());
    QCOMPARE(QDir(user.path()).entryList(QDir::Files), QStringList{u"lists.zip"_s});
}

void TestUiOpen::dataFolderNotWritable()
{
    WindowFixture f;
    QTemporaryDir user;
    openTwoLists(f, user);
    // The data folder's place taken by a file.
    const QString data = dataFolder(*f.window);
    QVERIFY(QDir(data).removeRecursively());
    QVERIFY(zipfix::writeBytes(data, "not a folder"));
    f.prompts.clear();
    f.window->iGrid3_DblClick(1, 1);
    QVERIFY(waitForLoad(*f.window));
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    QVERIFY(f.prompts.callsOf(u"warning"_s)[0].text.contains(u"data folder"_s));
    QCOMPARE(shownList(*f.window).lineCount, 0);
    QVERIFY(f.commandsEnabled());
    QVERIFY(control<QProgressBar>(*f.window, "ProgressBar1")->isHidden());
}

void TestUiOpen::commandLineZip()
{
    WindowFixture f;
    QTemporaryDir user;
    const QString one = user.filePath(u"one.zip"_s);
    QVERIFY(zipfix::writeZip(one, {zipfix::entry("list.csv", listBytes("L", 6))}));
    f.window->OpenListFromCommandLine(one);
    QVERIFY(waitForLoad(*f.window));
    QCOMPARE(currentListFile(*f.window), QDir(memberFolder(*f.window)).filePath(u"list.csv"_s));
    QCOMPARE(shownList(*f.window).lineCount, 6);

    const QString two = user.filePath(u"two.zip"_s);
    QVERIFY(zipfix::writeZip(two, {zipfix::entry("a.csv", listBytes("A", 3)),
                                   zipfix::entry("b.csv", listBytes("B", 4))}));
    f.window->OpenListFromCommandLine(two);
    QVERIFY(waitForLoad(*f.window));
    QCOMPARE(gridNames(*f.window), (QStringList{u"a.csv"_s, u"b.csv"_s}));
    QVERIFY(!control<QGroupBox>(*f.window, "Frame3")->isHidden());
    QCOMPARE(f.prompts.count(u"openFile"_s), 0);
    QCOMPARE(f.prompts.boxCount(), 0);

    // What cannot be opened: a message, and nothing else changes.
    for (const QString &bad : {user.filePath(u"missing.zip"_s), user.path()}) {
        f.prompts.clear();
        f.window->OpenListFromCommandLine(bad);
        QVERIFY(waitForLoad(*f.window));
        QCOMPARE(f.prompts.count(u"warning"_s), 1);
        QCOMPARE(gridNames(*f.window), (QStringList{u"a.csv"_s, u"b.csv"_s}));
        QVERIFY(f.commandsEnabled());
    }
}

void TestUiOpen::sampleZip()
{
    const QString sample = corvane::test::sourceDir() + u"/data/samples/recovered-disk.zip"_s;
    QVERIFY2(QFile::exists(sample), qPrintable(sample));
    WindowFixture f;
    const QByteArray bytes = zipfix::readBytes(sample);
    f.open(sample);
    const QStringList lists = gridNames(*f.window);
    QCOMPARE(lists.size(), 2);
    for (int row = 1; row <= lists.size(); ++row) {
        f.prompts.questionAnswers = {true};
        f.window->iGrid3_DblClick(row, 1);
        QVERIFY(waitForLoad(*f.window));
        QVERIFY(shownList(*f.window).lineCount > 0);
        QCOMPARE(QFileInfo(currentListFile(*f.window)).fileName(),
                 QFileInfo(lists[row - 1]).fileName());
    }
    QCOMPARE(f.prompts.count(u"warning"_s), 0);
    // The note is listed and read from the archive, never unpacked.
    QCOMPARE(control<QListView>(*f.window, "NotesList")->model()->index(0, 0).data().toString(),
             u"notes.txt"_s);
    QVERIFY(!QFile::exists(QDir(memberFolder(*f.window)).filePath(u"notes.txt"_s)));
    QCOMPARE(zipfix::readBytes(sample), bytes);
}

QTEST_MAIN(TestUiOpen)
#include "tst_ui_open.moc"
