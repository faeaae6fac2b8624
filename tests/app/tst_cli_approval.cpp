// corvane-list approval and corvane-list save, run as a user would run them.

#include "approval/ApprovalMail.h"
#include "common/CliRun.h"
#include "common/SmallDisk.h"
#include "zip/testutil_zip.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
namespace zipfix = corvane::testing;

using corvane::testing::SmallDisk;

namespace {

const QByteArray TwoLines = "C:\\b.doc,1,2,32;7,OK\r\nC:\\a.doc,1,3,32;7,OK\r\n";

QString expectedUrl(const QString &subjectInUrl)
{
    return u"mailto:"_s + corvane::approvalAddress() + u"?subject=Approval of File List : "_s +
           subjectInUrl +
           u"&body=Confirmation%20that%20the%20file%20list%20contains%20the%20data%20we%20are"
           u"%20looking%20for%20and%20its%20status%20is%20confirmed.%0D%0A%0D%0A&CC=\n"_s;
}

bool isFifo(const QString &path)
{
    struct stat st
    {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

} // namespace

class TestCliApproval : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void approval_data();
    void approval();
    void longMemberNames_data();
    void longMemberNames();
    void save_data();
    void save();

private:
    using Run = corvane::testing::CliRun;
    enum class Child { Plain, FullDisk, OrdinaryUser };
    Run run(const QStringList &args, Child child = Child::Plain);
    QString ordinaryUserProgram();

    QString m_program;
    QTemporaryDir m_dir;
    std::unique_ptr<QTemporaryDir> m_userProgramDir;
    QString m_userProgram; // the copy the ordinary user runs, once made
};

void TestCliApproval::initTestCase()
{
    m_program = corvane::testing::corvaneListProgram();
    QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
    QVERIFY(m_dir.isValid());
}

// The ordinary user a case runs as may be kept out of the build: a clone in
// root's home, or in any folder only its owner may enter. Such a case runs a
// copy of the program from a folder every user may enter; the program needs
// nothing else from the build (the core is linked in, and it carries its own
// copy of lang.fil). Empty when no such folder can be had.
QString TestCliApproval::ordinaryUserProgram()
{
    if (m_userProgramDir)
        return m_userProgram;
    m_userProgramDir =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/corvane-list-XXXXXX"_s);
    const QString copy = m_userProgramDir->filePath(u"corvane-list"_s);
    const auto open = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                      QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                      QFileDevice::ExeOther;
    if (!m_userProgramDir->isValid() || !QFile::setPermissions(m_userProgramDir->path(), open) ||
        !QFile::copy(m_program, copy) || !QFile::setPermissions(copy, open))
        return {};
    // Every folder on the way must let others pass.
    for (QDir up(m_userProgramDir->path());; up.cdUp()) {
        struct stat st
        {};
        if (::stat(QFile::encodeName(up.absolutePath()).constData(), &st) != 0 ||
            !(st.st_mode & S_IXOTH))
            return {};
        if (up.isRoot())
            break;
    }
    m_userProgram = copy;
    return m_userProgram;
}

TestCliApproval::Run TestCliApproval::run(const QStringList &args, Child child)
{
    const auto setup = [child](QProcess &p) {
        if (child == Child::FullDisk) {
            p.setChildProcessModifier([] {
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit limit{};
                ::getrlimit(RLIMIT_FSIZE, &limit);
                limit.rlim_cur = 4096;
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
        } else if (child == Child::OrdinaryUser) {
            p.setChildProcessModifier([] {
                if (::geteuid() == 0 && ::setgid(65534) == 0 && ::setuid(65534) != 0)
                    ::_exit(99);
            });
        }
    };
    return corvane::testing::runCli(
        child == Child::OrdinaryUser && ::geteuid() == 0 ? ordinaryUserProgram() : m_program, args,
        u"en_US.UTF-8"_s, setup);
}

void TestCliApproval::approval_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QList<zipfix::FixtureEntry>>("entries"); // empty: a plain list
    QTest::addColumn<QStringList>("extraArgs");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // the subject as in the URL, or the error's start
    using zipfix::entry;
    const QList<zipfix::FixtureEntry> plain;
    const QStringList none;
    QTest::newRow("plain list") << u"Job42.CSV"_s << plain << none << 0 << u"job42"_s;
    QTest::newRow("csv inside") << u"Report.CSV.txt"_s << plain << none << 0 << u"report.txt"_s;
    QTest::newRow("csvx") << u"a.csvx"_s << plain << none << 0 << u"ax"_s;
    QTest::newRow("spaces") << u"My Job 42.csv"_s << plain << none << 0 << u"my job 42"_s;
    QTest::newRow("hash") << u"job#42.csv"_s << plain << none << 0 << u"job%2342"_s;
    QTest::newRow("ampersand") << u"a&b.csv"_s << plain << none << 0 << u"a%26b"_s;
    QTest::newRow("per cent") << u"100%.csv"_s << plain << none << 0 << u"100%25"_s;
    QTest::newRow("plus") << u"a+b.csv"_s << plain << none << 0 << u"a%2Bb"_s;
    QTest::newRow("accents") << u"D\u00c9J\u00c0.csv"_s << plain << none << 0
                             << u"d%C3%A9j%C3%A0"_s;
    QTest::newRow("cyrillic") << u"\u0421\u043f\u0438\u0441\u043e\u043a.csv"_s << plain << none << 0
                              << u"%D1%81%D0%BF%D0%B8%D1%81%D0%BE%D0%BA"_s;
    QTest::newRow("right-to-left mark")
        << u"\u200fjob.csv"_s << plain << none << 0 << u"%E2%80%8Fjob"_s;
    QTest::newRow("compose argument") << u"x',bcc='spy@evil.example',y='.csv"_s << plain << none
                                      << 0 << u"x%27%2Cbcc%3D%27spy%40evil.example%27%2Cy%3D%27"_s;
    QTest::newRow("quotes, semicolon, equals")
        << u"a\"b;c=d.csv"_s << plain << none << 0 << u"a%22b%3Bc%3Dd"_s;
    QTest::newRow("empty list") << u"Empty.csv"_s << plain << none << 0 << u"empty"_s;
    QTest::newRow("zip: first row")
        << u"lists.zip"_s << QList{entry("First.csv", TwoLines), entry("Job42.csv", TwoLines)}
        << none << 0 << u"first"_s;
    QTest::newRow("zip: member chosen")
        << u"lists.zip"_s << QList{entry("First.csv", TwoLines), entry("Job42.csv", TwoLines)}
        << QStringList{u"Job42.csv"_s} << 0 << u"job42"_s;
    QTest::newRow("zip: member with folder parts")
        << u"lists.zip"_s << QList{entry("Disk/2024/Job42.csv", TwoLines)}
        << QStringList{u"Disk/2024/Job42.csv"_s} << 0 << u"job42"_s;
    QTest::newRow("zip: notes are not rows")
        << u"lists.zip"_s
        << QList{entry("notes.txt", "n"), entry("A.csv", TwoLines), entry("B.csv", TwoLines)}
        << none << 0 << u"a"_s;
    QTest::newRow("zip: no such member")
        << u"lists.zip"_s << QList{entry("First.csv", TwoLines), entry("B.csv", TwoLines)}
        << QStringList{u"Job42.csv"_s} << 1 << u"corvane-list: "_s;
    QTest::newRow("zip: no list") << u"lists.zip"_s << QList{entry("photo.jpg", "x")} << none << 1
                                  << u"corvane-list: "_s;
    QTest::newRow("member of a plain list")
        << u"Job42.csv"_s << plain << QStringList{u"x.csv"_s} << 1 << u"corvane-list: "_s;
    QTest::newRow("missing") << QString() << plain << none << 1 << u"corvane-list: "_s;
    QTest::newRow("too many arguments")
        << u"Job42.csv"_s << plain << QStringList{u"a"_s, u"b"_s} << 2 << u"usage:"_s;
}

void TestCliApproval::approval()
{
    QFETCH(QString, fileName);
    QFETCH(QList<zipfix::FixtureEntry>, entries);
    QFETCH(QStringList, extraArgs);
    QFETCH(int, exitCode);
    QFETCH(QString, out);

    QTemporaryDir dir;
    QString path = dir.filePath(fileName.isEmpty() ? u"missing.csv"_s : fileName);
    if (!fileName.isEmpty()) {
        if (entries.isEmpty())
            QVERIFY(zipfix::writeBytes(path,
                                       fileName.startsWith(u"Empty"_s) ? QByteArray() : TwoLines));
        else
            QVERIFY(zipfix::writeZip(path, entries));
    }
    const Run r = run(QStringList{u"approval"_s, path} + extraArgs);
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode == 0) {
        QCOMPARE(r.out, expectedUrl(out));
        QCOMPARE(r.err, QString());
    } else {
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.startsWith(out), qPrintable(r.err));
    }
}

void TestCliApproval::longMemberNames_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<bool>("shortened");
    QTest::newRow("300 letters") << QString(300, u'a') + u".csv"_s << false;
    QTest::newRow("300 cyrillic letters") << QString(300, QChar(0x0416)) + u".csv"_s << true;
}

void TestCliApproval::longMemberNames()
{
    QFETCH(QString, member);
    QFETCH(bool, shortened);
    QTemporaryDir dir;
    const QString zip = dir.filePath(u"long.zip"_s);
    const QByteArray name = member.toUtf8();
    QVERIFY(zipfix::writeZip(zip, {zipfix::entry(name.constData(), TwoLines)}));
    const Run r = run({u"approval"_s, zip});
    QCOMPARE(r.exitCode, 0);
    const QString url = r.out.trimmed();
    QVERIFY(corvane::fullyEncodedUrl(url).size() <= corvane::MaxApprovalUrlLength);
    // The mark of the cut, encoded like every character beyond ASCII.
    QCOMPARE(url.contains(u"%E2%80%A6&body="_s), shortened);
    if (!shortened)
        QVERIFY(url.contains(QString(300, u'a') + u"&body="_s));
}

void TestCliApproval::save_data()
{
    QTest::addColumn<QByteArray>("list");
    // "new", "same", "nofolder", "full", "readonly", "fifo", "linkfifo", "linkfile", "tmpfs"
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("written");
    const QByteArray lf = "C:\\b.doc,1,2,32;7,OK\nC:\\a.doc,1,3,32;7,OK\n";
    QTest::newRow("file order, CR LF") << lf << u"new"_s << 0 << TwoLines;
    QTest::newRow("utf-8 needed") << QByteArray("C:\\\xd0\x96.doc,1,2,32;7,OK\n") << u"new"_s << 0
                                  << QByteArray("C:\\\xd0\x96.doc,1,2,32;7,OK\r\n");
    QTest::newRow("empty list") << QByteArray() << u"new"_s << 0 << QByteArray();
    QTest::newRow("over the list") << TwoLines << u"same"_s << 1 << QByteArray();
    QTest::newRow("missing folder") << TwoLines << u"nofolder"_s << 1 << QByteArray();
    QTest::newRow("full disk") << TwoLines.repeated(500) << u"full"_s << 1 << QByteArray();
    // Bigger than one write: the limit is met before the last one.
    QTest::newRow("full disk on the way")
        << TwoLines.repeated(30000) << u"full"_s << 1 << QByteArray();
    QTest::newRow("full tmpfs on the way")
        << TwoLines.repeated(30000) << u"tmpfs"_s << 1 << QByteArray();
    QTest::newRow("read-only folder") << TwoLines << u"readonly"_s << 1 << QByteArray();
    QTest::newRow("fifo") << TwoLines << u"fifo"_s << 1 << QByteArray();
    QTest::newRow("link to a fifo") << TwoLines << u"linkfifo"_s << 1 << QByteArray();
    // Written where the link leads, as cp would; the link stays.
    QTest::newRow("link to a file") << lf << u"linkfile"_s << 0 << TwoLines;
}

void TestCliApproval::save()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, target);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, written);

    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                          QFileDevice::ExeOther);
    const QString listPath = dir.filePath(u"list.csv"_s);
    QVERIFY(zipfix::writeBytes(listPath, list));
    QString out = dir.filePath(u"out.csv"_s);
    const QByteArray older = "older\r\n";
    Child child = Child::Plain;
    if (target == u"same"_s) {
        out = listPath;
    } else if (target == u"nofolder"_s) {
        out = dir.filePath(u"nowhere/out.csv"_s);
    } else if (target == u"full"_s) {
        QVERIFY(zipfix::writeBytes(out, older));
        child = Child::FullDisk;
    } else if (target == u"readonly"_s) {
        QVERIFY(QDir(dir.path()).mkdir(u"ro"_s));
        out = dir.filePath(u"ro/out.csv"_s);
        QVERIFY(zipfix::writeBytes(out, older));
        QFile::setPermissions(dir.filePath(u"ro"_s),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                  QFileDevice::ReadOther | QFileDevice::ExeOther);
        QFile::setPermissions(listPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadOther);
        child = Child::OrdinaryUser;
        // Root writes anywhere: the case runs the program as an ordinary user.
        if (::geteuid() == 0 && ordinaryUserProgram().isEmpty())
            QSKIP("no folder that an ordinary user may enter holds a copy of the program, so "
                  "the read-only folder cannot be tried as one");
    }
    const QString elsewhere = dir.filePath(u"elsewhere"_s);
    const QString pointed = elsewhere + u"/pointed"_s;
    std::unique_ptr<SmallDisk> disk;
    if (target == u"fifo"_s || target == u"linkfifo"_s) {
        QVERIFY(QDir().mkdir(elsewhere));
        const QString fifo = target == u"fifo"_s ? out : pointed;
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        if (target == u"linkfifo"_s)
            QVERIFY(QFile::link(pointed, out));
    } else if (target == u"linkfile"_s) {
        QVERIFY(QDir().mkdir(elsewhere));
        QVERIFY(zipfix::writeBytes(pointed, older));
        QVERIFY(QFile::link(pointed, out));
    } else if (target == u"tmpfs"_s) {
        if (::geteuid() != 0)
            QSKIP("mounting a small tmpfs needs root");
        QVERIFY(QDir().mkdir(elsewhere));
        disk = std::make_unique<SmallDisk>(elsewhere);
        QVERIFY(disk->mounted());
        out = elsewhere + u"/out.csv"_s;
        QVERIFY(zipfix::writeBytes(out, older));
    }
    const bool fifo = target == u"fifo"_s || target == u"linkfifo"_s;
    const QByteArray outBefore = fifo ? QByteArray() : zipfix::readBytes(out);
    const Run r = run({u"save"_s, listPath, out}, child);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(zipfix::readBytes(listPath), list);
    if (fifo) {
        QVERIFY(isFifo(target == u"fifo"_s ? out : pointed));
        QVERIFY2(r.err.contains(u"not a regular file"_s), qPrintable(r.err));
    }
    if (target.startsWith(u"link"_s)) {
        QVERIFY(QFileInfo(out).isSymLink());
        QCOMPARE(QFileInfo(out).symLinkTarget(), pointed);
        QCOMPARE(QDir(elsewhere).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System |
                                           QDir::Hidden),
                 QStringList{u"pointed"_s});
    }
    if (target == u"tmpfs"_s)
        QVERIFY2(r.err.contains(u"No space left on device"_s), qPrintable(r.err));
    if (fifo) {
        // Nothing to read back from a pipe.
    } else if (exitCode == 0) {
        QCOMPARE(zipfix::readBytes(out), written);
        QCOMPARE(r.err, QString());
    } else {
        QCOMPARE(zipfix::readBytes(out), outBefore);
        QVERIFY2(r.err.startsWith(u"corvane-list: "_s), qPrintable(r.err));
    }
    const QStringList left =
        QDir(QFileInfo(out).absolutePath()).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : left)
        QVERIFY2(name == u"list.csv"_s || name == u"out.csv"_s, qPrintable(name));
    if (target == u"readonly"_s)
        QFile::setPermissions(dir.filePath(u"ro"_s), QFileDevice::ReadOwner |
                                                         QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner);
}

QTEST_GUILESS_MAIN(TestCliApproval)
#include "tst_cli_approval.moc"
