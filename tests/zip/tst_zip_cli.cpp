// corvane-list members, run as a user would run it.

#include "common/CliRun.h"
#include "testutil_zip.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane::testing;

class TestZipCli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void members_data();
    void members();
    void archiveIsNoList_data();
    void archiveIsNoList();

private:
    QString m_program;
};

void TestZipCli::initTestCase()
{
    m_program = corvaneListProgram();
    QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
}

void TestZipCli::members_data()
{
    QTest::addColumn<QString>("kind"); // zip, bytes, missing, usage
    QTest::addColumn<QList<FixtureEntry>>("entries");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("errLines");

    QTest::newRow("archive order")
        << u"zip"_s
        << QList<FixtureEntry>{entry("b.csv"), entry("A.CSV"), entry("photo.jpg"),
                               entry("notes.TXT"), entry("sub/list.log")}
        << QByteArray() << 0 << u"b.csv\nA.CSV\nnotes.TXT\nsub/list.log\n"_s << 0;
    FixtureEntry dos = entry("\x84rger.csv");
    dos.cp437 = true;
    QTest::newRow("names decoded")
        << u"zip"_s << QList<FixtureEntry>{dos, entry("\xc3\xa9t\xc3\xa9.csv"), entry("a\x07.csv")}
        << QByteArray() << 0 << u"ärger.csv\nété.csv\na\\x07.csv\n"_s << 0;
    QTest::newRow("unsafe left out")
        << u"zip"_s << QList<FixtureEntry>{entry("../x.csv"), entry("ok.csv")} << QByteArray() << 0
        << u"ok.csv\n"_s << 1;
    QTest::newRow("empty archive")
        << u"zip"_s << QList<FixtureEntry>{} << QByteArray() << 0 << QString() << 0;
    QTest::newRow("text list") << u"bytes"_s << QList<FixtureEntry>{}
                               << "Pk\\a.doc,2001-01-01,1,32;5,OK\r\n"_ba << 1 << QString() << 1;
    QTest::newRow("0 bytes") << u"bytes"_s << QList<FixtureEntry>{} << QByteArray() << 1
                             << QString() << 1;
    QTest::newRow("truncated") << u"bytes"_s << QList<FixtureEntry>{}
                               << QByteArray("PK\x03\x04\x14\0\0\0", 8) << 1 << QString() << 1;
    QTest::newRow("missing") << u"missing"_s << QList<FixtureEntry>{} << QByteArray() << 1
                             << QString() << 1;
    QTest::newRow("no argument") << u"usage"_s << QList<FixtureEntry>{} << QByteArray() << 2
                                 << QString() << -1;
}

void TestZipCli::members()
{
    QFETCH(QString, kind);
    QFETCH(QList<FixtureEntry>, entries);
    QFETCH(QByteArray, bytes);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(int, errLines);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"lists.zip"_s);
    if (kind == u"zip"_s)
        QVERIFY(writeZip(path, entries));
    else if (kind == u"bytes"_s)
        QVERIFY(writeBytes(path, bytes));
    const QByteArray before = readBytes(path);

    const CliRun r = runCli(
        m_program, kind == u"usage"_s ? QStringList{u"members"_s} : QStringList{u"members"_s, path},
        QString());
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(r.out, out);
    if (errLines >= 0)
        QCOMPARE(r.err.count(u'\n'), errLines);
    QCOMPARE(readBytes(path), before);
}

void TestZipCli::archiveIsNoList_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("archive");
    QTest::newRow("summary of an archive") << u"summary"_s << true;
    QTest::newRow("tree of an archive") << u"tree"_s << true;
    QTest::newRow("overview of an archive") << u"overview"_s << true;
    QTest::newRow("summary of a list beginning with PK") << u"summary"_s << false;
}

// The list commands read an archive's bytes as no list: they say what it is
// and which command names its lists.
void TestZipCli::archiveIsNoList()
{
    QFETCH(QString, command);
    QFETCH(bool, archive);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"delivery.zip"_s);
    if (archive)
        QVERIFY(writeZip(path, {entry("list.csv", "Data\\a.doc,2001-01-01,1,32;5,OK\r\n")}));
    else
        QVERIFY(writeBytes(path, "PK\\a.doc,2001-01-01,1,32;5,OK\r\n"_ba));

    const CliRun r = runCli(m_program, {command, path}, QString());
    const QString &out = r.out;
    const QString &err = r.err;
    if (archive) {
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(out, QString());
        QCOMPARE(err.count(u'\n'), 1);
        QVERIFY2(err.contains(u"zip archive"_s) && err.contains(u"corvane-list members"_s),
                 qPrintable(err));
    } else {
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(out.startsWith(u"lines: 1\n"_s), qPrintable(out));
    }
}

QTEST_GUILESS_MAIN(TestZipCli)
#include "tst_zip_cli.moc"
