// The approval e-mail through the window: which list the subject names, the
// hand-off to the mail program and what the user sees when it fails, and
// "Save list as...".

#include "approval/ApprovalMail.h"
#include "approval/ui/ApprovalMessageDialog.h"
#include "common/CliRun.h"
#include "listfile/ListLoader.h"
#include "testutil_window.h"
#include "zip/testutil_zip.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;
namespace zipfix = corvane::testing;
using corvane::testing::CliRun;
using corvane::testing::corvaneListProgram;
using corvane::testing::runCli;

namespace {

// listBytes() with the files in the other order.
QByteArray listBytesBackwards(const QByteArray &top, int lines)
{
    QByteArray bytes;
    for (int i = lines - 1; i >= 0; --i)
        bytes += top + "\\Docs\\file" + QByteArray::number(i) + ".doc,2020-01-02 03:04:05," +
                 QByteArray::number(1000 + i) + ",32;77,OK\r\n";
    return bytes;
}

// What the subject says after "Approval of File List : ", decoded as the
// mail program reads it.
QString subjectName(const QString &url)
{
    const qsizetype from = url.indexOf(u"?subject=Approval of File List : "_s);
    if (from < 0)
        return u"<no subject in %1>"_s.arg(url);
    const qsizetype start = from + 33;
    const QString raw = url.mid(start, url.indexOf(u"&body="_s) - start);
    return QUrl::fromPercentEncoding(raw.toUtf8());
}

// The lines of a loaded list, as the store keeps them (sorted).
QStringList storeLines(const corvane::LoadedList &list)
{
    QStringList lines;
    for (qsizetype i = 0; i < list.iGrid1.count(); ++i)
        lines.append(list.iGrid1.text(i));
    return lines;
}

// While this lives, files bigger than `bytes` cannot be written: a disk that
// fills up. The signal the limit raises is ignored, so a write just fails.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

class TestUiApproval : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void promptShownWithList();
    void promptHiddenForEmptyList_data();
    void promptHiddenForEmptyList();
    void listName_data();
    void listName();
    void renamedMember_data();
    void renamedMember();
    void searchResultNamesItsList();
    void memberGridWithoutList();
    void nothingLoaded();
    void handoff_data();
    void handoff();
    void copyAll();
    void clicksWhileHandingOver();
    void languages_data();
    void languages();
    void save_data();
    void save();
    void saveRefused_data();
    void saveRefused();
    void saveCancelled();
    void windowGoesWhileSaving();

private:
    static QString clickUrl(WindowFixture &f);
    static QString openList(WindowFixture &f, const QTemporaryDir &user, const QString &name,
                            const QByteArray &bytes);
};

// The URL one click on the prompt hands over.
QString TestUiApproval::clickUrl(WindowFixture &f)
{
    f.prompts.clear();
    f.window->lblEmail_Click();
    const auto calls = f.prompts.callsOf(u"openMailUrl"_s);
    return calls.size() == 1 ? calls.first().text : u"<%1 hand-offs>"_s.arg(calls.size());
}

// Writes `bytes` as the user's list `name` and opens it; returns its path.
QString TestUiApproval::openList(WindowFixture &f, const QTemporaryDir &user, const QString &name,
                                 const QByteArray &bytes)
{
    QString path = user.filePath(name);
    if (!zipfix::writeBytes(path, bytes))
        QTest::qFail(qPrintable(u"cannot write "_s + path), __FILE__, __LINE__);
    f.open(path);
    return path;
}

void TestUiApproval::promptShownWithList()
{
    WindowFixture f;
    f.window->show();
    QVERIFY(control<QLabel>(*f.window, "lblEmail")->isHidden());
    QVERIFY(control<QLabel>(*f.window, "Image2")->isHidden());
    QVERIFY(!control<QAction>(*f.window, "mnuSaveList")->isEnabled());
    QCOMPARE(control<QLabel>(*f.window, "Image2")->pixmap().size(), QSize(32, 32));
    QCOMPARE(control<QLabel>(*f.window, "lblEmail")->text(),
             langText(*f.window, LangEntry::ApprovalPrompt));

    QTemporaryDir user;
    openList(f, user, u"Job42.csv"_s, listBytesBackwards("C:", 3));
    QCOMPARE(control<QTabWidget>(*f.window, "SSTab1")->currentIndex(), 1);
    QVERIFY(control<QLabel>(*f.window, "lblEmail")->isVisible());
    QVERIFY(control<QLabel>(*f.window, "Image2")->isVisible());
    QVERIFY(control<QAction>(*f.window, "mnuSaveList")->isEnabled());

    // A click on the prompt or on its picture: one hand-off each.
    for (QLabel *label :
         {control<QLabel>(*f.window, "lblEmail"), control<QLabel>(*f.window, "Image2")}) {
        f.prompts.clear();
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        QCOMPARE(f.prompts.count(u"openMailUrl"_s), 1);
        QCOMPARE(subjectName(f.prompts.callsOf(u"openMailUrl"_s).first().text), u"job42"_s);
    }
}

// An empty list offers nothing to approve: no prompt, whatever was shown
// before it.
void TestUiApproval::promptHiddenForEmptyList_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("listBefore"); // a list with lines opened first

    QTest::newRow("empty file") << QByteArray() << false;
    QTest::newRow("empty file after a list") << QByteArray() << true;
}

void TestUiApproval::promptHiddenForEmptyList()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, listBefore);
    WindowFixture f;
    f.window->show();
    QTemporaryDir user;
    if (listBefore) {
        openList(f, user, u"Job42.csv"_s, listBytesBackwards("C:", 3));
        QVERIFY(control<QLabel>(*f.window, "lblEmail")->isVisible());
    }
    openList(f, user, u"Empty.csv"_s, bytes);
    QCOMPARE(shownList(*f.window).lineCount, 0);
    QVERIFY(shownList(*f.window).fileFound);
    QVERIFY(control<QLabel>(*f.window, "lblEmail")->isHidden());
    QVERIFY(control<QLabel>(*f.window, "Image2")->isHidden());
}

void TestUiApproval::listName_data()
{
    QTest::addColumn<QList<zipfix::FixtureEntry>>("entries"); // empty: a plain list
    QTest::addColumn<QString>("fileName");                    // the list or zip opened
    QTest::addColumn<int>("memberRow");                       // row chosen in the grid, or 0
    QTest::addColumn<QString>("thenPlain");                   // a plain list opened afterwards
    QTest::addColumn<QString>("subject");

    const QByteArray a = listBytesBackwards("A", 3);
    const QByteArray b = listBytesBackwards("B", 4);
    using zipfix::entry;
    const QList<zipfix::FixtureEntry> none;
    QTest::newRow("plain list") << none << u"Job42.CSV"_s << 0 << QString() << u"job42"_s;
    QTest::newRow("csv in the middle")
        << none << u"Report.CSV.txt"_s << 0 << QString() << u"report.txt"_s;
    QTest::newRow("csv prefix") << none << u"a.csvx"_s << 0 << QString() << u"ax"_s;
    QTest::newRow("spaces") << none << u"My Job 42.csv"_s << 0 << QString() << u"my job 42"_s;
    QTest::newRow("hash") << none << u"job#42.csv"_s << 0 << QString() << u"job#42"_s;
    QTest::newRow("ampersand") << none << u"A&B.csv"_s << 0 << QString() << u"a&b"_s;
    QTest::newRow("per cent") << none << u"100%.csv"_s << 0 << QString() << u"100%"_s;
    QTest::newRow("plus") << none << u"a+b.csv"_s << 0 << QString() << u"a+b"_s;
    QTest::newRow("accents") << none << u"D\u00e9j\u00e0 Vu.csv"_s << 0 << QString()
                             << u"d\u00e9j\u00e0 vu"_s;
    QTest::newRow("cyrillic") << none << u"\u0421\u043f\u0438\u0441\u043e\u043a.csv"_s << 0
                              << QString() << u"\u0441\u043f\u0438\u0441\u043e\u043a"_s;
    QTest::newRow("right-to-left mark")
        << none << u"\u200fjob.csv"_s << 0 << QString() << u"\u200fjob"_s;
    QTest::newRow("one member") << QList{entry("Job42.csv", a)} << u"lists.zip"_s << 0 << QString()
                                << u"job42"_s;
    QTest::newRow("member with folder parts")
        << QList{entry("Disk/2024/Job42.csv", a)} << u"lists.zip"_s << 0 << QString() << u"job42"_s;
    QTest::newRow("second member chosen") << QList{entry("First.csv", a), entry("Job42.csv", b)}
                                          << u"lists.zip"_s << 2 << QString() << u"job42"_s;
    QTest::newRow("first member chosen") << QList{entry("First.csv", a), entry("Job42.csv", b)}
                                         << u"lists.zip"_s << 1 << QString() << u"first"_s;
    // The member grid keeps its rows, but the list shown is the plain one.
    QTest::newRow("plain list after a zip") << QList{entry("First.csv", a), entry("Job42.csv", b)}
                                            << u"lists.zip"_s << 2 << u"Other.csv"_s << u"other"_s;
}

void TestUiApproval::listName()
{
    QFETCH(QList<zipfix::FixtureEntry>, entries);
    QFETCH(QString, fileName);
    QFETCH(int, memberRow);
    QFETCH(QString, thenPlain);
    QFETCH(QString, subject);

    WindowFixture f;
    QTemporaryDir user;
    const QString path = user.filePath(fileName);
    if (entries.isEmpty())
        QVERIFY(zipfix::writeBytes(path, listBytesBackwards("C:", 3)));
    else
        QVERIFY(zipfix::writeZip(path, entries));
    f.open(path);
    if (memberRow > 0) {
        f.window->iGrid3_DblClick(memberRow, 1);
        QVERIFY(waitForLoad(*f.window));
    }
    if (!thenPlain.isEmpty()) {
        openList(f, user, thenPlain, listBytesBackwards("P", 2));
        QVERIFY(control<QTableView>(*f.window, "iGrid3")->model()->rowCount() > 0);
    }
    QVERIFY(shownList(*f.window).fileFound);
    const QString url = clickUrl(f);
    QCOMPARE(subjectName(url), subject);
    QCOMPARE(url, corvane::buildApprovalMessage(subject).url);
}

void TestUiApproval::renamedMember_data()
{
    QTest::addColumn<QList<zipfix::FixtureEntry>>("entries");
    QTest::addColumn<int>("memberRow"); // row chosen in the grid, or 0
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("subject");
    const QByteArray a = listBytesBackwards("A", 3);
    using zipfix::entry;
    QTest::newRow("one member") << QList{entry("job 12:30?.csv", a)} << 0 << u"job 12:30?.csv"_s
                                << u"job 12:30?"_s;
    QTest::newRow("chosen member") << QList{entry("First.csv", a), entry("Disk/Job <2>|*.CSV", a)}
                                   << 2 << u"Disk/Job <2>|*.CSV"_s << u"job <2>|*"_s;
}

// A member whose name the disk cannot carry is extracted under another
// name; the subject still names the member, as corvane-list approval does.
void TestUiApproval::renamedMember()
{
    QFETCH(QList<zipfix::FixtureEntry>, entries);
    QFETCH(int, memberRow);
    QFETCH(QString, member);
    QFETCH(QString, subject);

    WindowFixture f;
    QTemporaryDir user;
    const QString zip = user.filePath(u"lists.zip"_s);
    QVERIFY(zipfix::writeZip(zip, entries));
    f.open(zip);
    if (memberRow > 0) {
        f.window->iGrid3_DblClick(memberRow, 1);
        QVERIFY(waitForLoad(*f.window));
    }
    QVERIFY(shownList(*f.window).fileFound);
    QVERIFY(QFileInfo(currentListFile(*f.window)).fileName() != member);
    const QString url = clickUrl(f);
    QCOMPARE(subjectName(url), subject);
    QCOMPARE(url, corvane::buildApprovalMessage(subject).url);

    const CliRun cli = runCli(corvaneListProgram(), {u"approval"_s, zip, member}, QString());
    QVERIFY2(cli.exitCode == 0, qPrintable(cli.err));
    QCOMPARE(cli.out, url + u'\n');
}

void TestUiApproval::searchResultNamesItsList()
{
    WindowFixture f;
    QTemporaryDir user;
    openList(f, user, u"Job42.csv"_s, listBytesBackwards("C:", 5));
    // A search result: the matching lines loaded from the result file while
    // CurrentListFile still names the opened list.
    const QString result = QDir(dataFolder(*f.window)).filePath(u"tFile.csv"_s);
    QVERIFY(zipfix::writeBytes(result, listBytesBackwards("C:", 2)));
    QVERIFY(f.load(result));
    QCOMPARE(shownList(*f.window).lineCount, 2);
    QCOMPARE(subjectName(clickUrl(f)), u"job42"_s);
}

void TestUiApproval::memberGridWithoutList()
{
    WindowFixture f;
    QTemporaryDir user;
    const QString zip = user.filePath(u"lists.zip"_s);
    QVERIFY(zipfix::writeZip(zip, {zipfix::entry("Alpha.csv", listBytesBackwards("A", 2)),
                                   zipfix::entry("Beta.csv", listBytesBackwards("B", 2))}));
    f.open(zip);
    QVERIFY(currentListFile(*f.window).isEmpty());
    // No current row: row 1; then the current row.
    QCOMPARE(subjectName(clickUrl(f)), u"alpha"_s);
    control<QTableView>(*f.window, "iGrid3")
        ->setCurrentIndex(control<QTableView>(*f.window, "iGrid3")->model()->index(1, 0));
    QCOMPARE(subjectName(clickUrl(f)), u"beta"_s);
}

void TestUiApproval::nothingLoaded()
{
    WindowFixture f;
    const QString url = clickUrl(f);
    QVERIFY(url.contains(u"?subject=Approval of File List : &body="_s));
    QVERIFY(url.startsWith(u"mailto:"_s + corvane::approvalAddress() + u"?subject="_s));
    QVERIFY(url.endsWith(u"&CC="_s));
    // The message is still prepared and shown.
    QVERIFY(f.window->findChild<corvane::ApprovalMessageDialog *>());
}

void TestUiApproval::handoff_data()
{
    QTest::addColumn<int>("outcome");
    QTest::addColumn<bool>("messageBox");
    QTest::newRow("started") << int(Prompts::MailHandoff::Started) << false;
    QTest::newRow("desktop cannot tell") << int(Prompts::MailHandoff::Unknown) << false;
    QTest::newRow("no mail program") << int(Prompts::MailHandoff::Failed) << true;
}

void TestUiApproval::handoff()
{
    QFETCH(int, outcome);
    QFETCH(bool, messageBox);
    WindowFixture f;
    QTemporaryDir user;
    openList(f, user, u"Job 42.csv"_s, listBytesBackwards("C:", 3));
    f.prompts.mailHandoffAnswer = Prompts::MailHandoff(outcome);
    const QString url = clickUrl(f);

    const auto boxes = f.prompts.callsOf(u"message"_s);
    QCOMPARE(boxes.size(), messageBox ? 1 : 0);
    if (messageBox) {
        QCOMPARE(boxes.first().text, u"Unable to connect to your email client. Please respond to "
                                     u"the original email, thank you."_s);
        QCOMPARE(boxes.first().title, u"Unable to connect to email client."_s);
    }
    // In every case the message can be read and copied.
    auto *dialog = f.window->findChild<corvane::ApprovalMessageDialog *>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->addressField->text(), corvane::approvalAddress());
    QCOMPARE(dialog->subjectField->text(), u"Approval of File List : job 42"_s);
    QVERIFY(dialog->addressField->isReadOnly());
    QVERIFY(dialog->bodyField->toPlainText().startsWith(u"Confirmation that the file list"_s));
    QCOMPARE(
        dialog->introLabel->text(),
        langText(*f.window, messageBox ? LangEntry::MailNotHandedOver : LangEntry::MailHandedOver));
    QCOMPARE(url, corvane::buildApprovalMessage(u"job 42"_s).url);

    // A second click reuses the one dialog.
    clickUrl(f);
    QCOMPARE(f.window->findChildren<corvane::ApprovalMessageDialog *>().size(), 1);
}

void TestUiApproval::copyAll()
{
    WindowFixture f;
    QTemporaryDir user;
    openList(f, user, u"job#42.csv"_s, listBytesBackwards("C:", 3));
    f.prompts.mailHandoffAnswer = Prompts::MailHandoff::Failed;
    clickUrl(f);
    auto *dialog = f.window->findChild<corvane::ApprovalMessageDialog *>();
    QVERIFY(dialog);
    QVERIFY(dialog->copiedLabel->text().isEmpty());
    dialog->copyButton->click();
    QCOMPARE(f.prompts.clipboard,
             u"To: "_s + corvane::approvalAddress() +
                 u"\nSubject: Approval of File List : job#42\n\nConfirmation that the file list "
                 u"contains the data we are looking for and its status is confirmed.\n"_s);
    QCOMPARE(dialog->copiedLabel->text(), langText(*f.window, LangEntry::CopiedToClipboard));
}

void TestUiApproval::clicksWhileHandingOver()
{
    WindowFixture f;
    QTemporaryDir user;
    openList(f, user, u"Job42.csv"_s, listBytesBackwards("C:", 3));
    f.prompts.holdMailHandoff = true;
    f.window->lblEmail_Click();
    f.window->Image2_Click();
    f.window->lblEmail_Click();
    QCOMPARE(f.prompts.count(u"openMailUrl"_s), 1);
    QVERIFY(!f.window->findChild<corvane::ApprovalMessageDialog *>());
    // The handler reports: the message is shown, and the next click hands
    // over again.
    f.prompts.heldMailHandoff(Prompts::MailHandoff::Started);
    QVERIFY(f.window->findChild<corvane::ApprovalMessageDialog *>());
    f.window->lblEmail_Click();
    QCOMPARE(f.prompts.count(u"openMailUrl"_s), 2);
}

void TestUiApproval::languages_data()
{
    addLanguageRows();
}

void TestUiApproval::languages()
{
    QFETCH(int, language);
    const QStringList column = corvane::test::langColumn(language);
    QVERIFY(column.size() > 124);
    for (int entry = 110; entry <= 124; ++entry)
        QVERIFY2(!column.at(entry).isEmpty(), qPrintable(QString::number(entry)));

    WindowFixture f;
    f.window->LoadLanguage(language);
    QCOMPARE(control<QAction>(*f.window, "mnuSaveList")->text(), column.at(110));
    f.prompts.mailHandoffAnswer = Prompts::MailHandoff::Failed;
    clickUrl(f);
    QCOMPARE(f.prompts.callsOf(u"message"_s).value(0).text, column.at(111));
    auto *dialog = f.window->findChild<corvane::ApprovalMessageDialog *>();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), column.at(112));
    QCOMPARE(dialog->introLabel->text(), column.at(114));
    QCOMPARE(dialog->copyButton->text(), column.at(118));
    // The subject and body are the lab's: the same in every language.
    QCOMPARE(dialog->subjectField->text(), u"Approval of File List : "_s);

    // Switching language while the dialog is open retitles it.
    const int other =
        language == corvane::LanguageGerman ? corvane::LanguageFrench : corvane::LanguageGerman;
    f.window->LoadLanguage(other);
    const QStringList otherColumn = corvane::test::langColumn(other);
    QCOMPARE(dialog->closeButton->text(), otherColumn.at(119));
    QCOMPARE(dialog->introLabel->text(), otherColumn.at(114));
    QCOMPARE(control<QAction>(*f.window, "mnuSaveList")->text(), otherColumn.at(110));
}

void TestUiApproval::save_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<bool>("searchResult"); // save a narrowed list (the result file)
    QTest::addColumn<QByteArray>("written");

    const QByteArray crlf = "C:\\b.doc,1,2,32;7,OK\r\nC:\\a.doc,1,3,32;7,OK\r\n";
    QTest::newRow("whole list, file order") << crlf << false << crlf;
    QTest::newRow("LF ends become CR LF")
        << QByteArray("C:\\b.doc,1,2,32;7,OK\nC:\\a.doc,1,3,32;7,OK\n") << false << crlf;
    QTest::newRow("windows-1252 kept") << QByteArray("C:\\caf\xe9.doc,1,2,32;7,OK\r\n") << false
                                       << QByteArray("C:\\caf\xe9.doc,1,2,32;7,OK\r\n");
    QTest::newRow("utf-8 that fits windows-1252")
        << QByteArray("C:\\caf\xc3\xa9.doc,1,2,32;7,OK\r\n") << false
        << QByteArray("C:\\caf\xe9.doc,1,2,32;7,OK\r\n");
    QTest::newRow("utf-8 that does not fit")
        << QByteArray("C:\\\xd0\x96.doc,1,2,32;7,OK\r\nC:\\caf\xc3\xa9.doc,1,2,32;7,OK\r\n")
        << false
        << QByteArray("C:\\\xd0\x96.doc,1,2,32;7,OK\r\nC:\\caf\xc3\xa9.doc,1,2,32;7,OK\r\n");
    // The result file is UTF-16LE; what is saved is the lab's format.
    QTest::newRow("search result")
        << QByteArray() << true
        << QByteArray("C:\\z.doc,1,2,32;7,OK\r\nC:\\caf\xe9.doc,1,3,32;7,OK\r\n");
}

void TestUiApproval::save()
{
    QFETCH(QByteArray, list);
    QFETCH(bool, searchResult);
    QFETCH(QByteArray, written);
    WindowFixture f;
    QTemporaryDir user;
    const QString listPath =
        openList(f, user, u"Job42.csv"_s, searchResult ? listBytesBackwards("C:", 4) : list);
    if (searchResult) {
        const QString result = QDir(dataFolder(*f.window)).filePath(u"tFile.csv"_s);
        const QString text = u"C:\\z.doc,1,2,32;7,OK\r\nC:\\caf\u00e9.doc,1,3,32;7,OK\r\n"_s;
        QVERIFY(zipfix::writeBytes(
            result, QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2)));
        QVERIFY(f.load(result));
    }
    const QStringList shown = storeLines(shownList(*f.window));
    const QString out = user.filePath(u"saved/narrowed.csv"_s);
    QVERIFY(QDir().mkpath(user.filePath(u"saved"_s)));
    f.prompts.clear();
    f.prompts.saveFileAnswers.append(out);
    control<QAction>(*f.window, "mnuSaveList")->trigger();
    QVERIFY(isSaving(*f.window));
    QVERIFY(!control<QAction>(*f.window, "mnuSaveList")->isEnabled());
    QTRY_VERIFY(!isSaving(*f.window));
    QVERIFY(control<QAction>(*f.window, "mnuSaveList")->isEnabled());
    QCOMPARE(f.prompts.count(u"saveFile"_s), 1);
    QCOMPARE(f.prompts.count(u"warning"_s), 0);
    QCOMPARE(f.prompts.count(u"message"_s), 1);
    QCOMPARE(zipfix::readBytes(out), written);
    QCOMPARE(zipfix::readBytes(listPath), searchResult ? listBytesBackwards("C:", 4) : list);

    // It loads back as the same list.
    const corvane::LoadedList back = corvane::loadList(out);
    QCOMPARE(storeLines(back), shown);
}

void TestUiApproval::saveRefused_data()
{
    QTest::addColumn<QString>("target"); // "open", "link", "zip", "readonly", "full", "folder"
    QTest::newRow("over the open list") << u"open"_s;
    QTest::newRow("over the open list through a link") << u"link"_s;
    QTest::newRow("over the archive it came from") << u"zip"_s;
    QTest::newRow("read-only folder") << u"readonly"_s;
    QTest::newRow("full disk") << u"full"_s;
    QTest::newRow("a folder") << u"folder"_s;
}

void TestUiApproval::saveRefused()
{
    QFETCH(QString, target);
    WindowFixture f;
    QTemporaryDir user;
    const QByteArray bytes = listBytesBackwards("C:", 2000); // ~90 KB
    QString listPath = user.filePath(u"Job42.csv"_s);
    if (target == u"zip"_s) {
        listPath = user.filePath(u"Lists.zip"_s);
        QVERIFY(zipfix::writeZip(listPath, {zipfix::entry("Job42.csv", bytes)}));
    } else {
        QVERIFY(zipfix::writeBytes(listPath, bytes));
    }
    f.open(listPath);
    QVERIFY(shownList(*f.window).lineCount == 2000);

    QString out = user.filePath(u"older.csv"_s);
    const QByteArray older = "an older file\r\n";
    if (target == u"open"_s || target == u"zip"_s) {
        out = listPath;
    } else if (target == u"link"_s) {
        out = user.filePath(u"link.csv"_s);
        QVERIFY(QFile::link(listPath, out));
    } else if (target == u"readonly"_s) {
        QVERIFY(QDir().mkpath(user.filePath(u"ro"_s)));
        out = user.filePath(u"ro/older.csv"_s);
        QVERIFY(zipfix::writeBytes(out, older));
        QVERIFY(QFile::setPermissions(user.filePath(u"ro"_s),
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadOther | QFileDevice::ExeOther |
                                          QFileDevice::ReadGroup | QFileDevice::ExeGroup));
    } else if (target == u"folder"_s) {
        out = user.filePath(u"afolder"_s);
        QVERIFY(QDir().mkpath(out));
    } else {
        QVERIFY(zipfix::writeBytes(out, older));
    }
    const auto fileBytes = [](const QString &path) {
        return QFileInfo(path).isFile() ? zipfix::readBytes(path) : QByteArray();
    };
    const QByteArray before = fileBytes(out);
    const QByteArray listBefore = zipfix::readBytes(listPath);
    const QStringList filesBefore = QDir(QFileInfo(out).absolutePath()).entryList(QDir::Files);

    f.prompts.clear();
    f.prompts.saveFileAnswers.append(out);
    {
        corvane::test::AsOrdinaryUser user2(user.path(), target == u"readonly"_s);
        std::unique_ptr<FileSizeLimit> limit;
        if (target == u"full"_s)
            limit = std::make_unique<FileSizeLimit>(16 * 1024);
        f.window->mnuSaveList_Click();
        QTRY_VERIFY(!isSaving(*f.window));
    }
    const auto warnings = f.prompts.callsOf(u"warning"_s);
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings.first().text.contains(QDir::toNativeSeparators(out)),
             qPrintable(warnings.first().text));
    if (target == u"open"_s || target == u"link"_s || target == u"zip"_s)
        QCOMPARE(warnings.first().text, langText(*f.window, LangEntry::SaveOverOpenList).arg(out));
    QCOMPARE(f.prompts.count(u"message"_s), 0);
    QCOMPARE(fileBytes(out), before);
    QCOMPARE(zipfix::readBytes(listPath), listBefore);
    // No half-written file is left behind.
    QCOMPARE(QDir(QFileInfo(out).absolutePath()).entryList(QDir::Files), filesBefore);
    QFile::setPermissions(user.filePath(u"ro"_s),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestUiApproval::saveCancelled()
{
    WindowFixture f;
    QTemporaryDir user;
    openList(f, user, u"Job42.csv"_s, listBytesBackwards("C:", 3));
    f.prompts.clear();
    control<QAction>(*f.window, "mnuSaveList")->trigger();
    QVERIFY(!isSaving(*f.window));
    QCOMPARE(f.prompts.count(u"saveFile"_s), 1);
    QCOMPARE(f.prompts.boxCount(), 0);
    // The entry sits in "Menu", above the separator before "Exit".
    const QList<QAction *> actions = control<QMenu>(*f.window, "mnuMenu")->actions();
    QVERIFY(actions.indexOf(control<QAction>(*f.window, "mnuSaveList")) >= 0);
    QVERIFY(actions.indexOf(control<QAction>(*f.window, "mnuSaveList")) <
            actions.indexOf(control<QAction>(*f.window, "mnuB1")));
}

void TestUiApproval::windowGoesWhileSaving()
{
    WindowFixture f;
    QTemporaryDir user;
    const QByteArray bytes = listBytesBackwards("C:", 50000);
    openList(f, user, u"Job42.csv"_s, bytes);
    const QString out = user.filePath(u"out.csv"_s);
    f.prompts.saveFileAnswers.append(out);
    control<QAction>(*f.window, "mnuSaveList")->trigger();
    // The window goes at once (the program quits): the write still ends whole.
    f.window.reset();
    QCOMPARE(zipfix::readBytes(out), bytes);
}

QTEST_MAIN(TestUiApproval)
#include "tst_ui_approval.moc"
