// corvane-list ls and details, run as the user runs them.

#include "common/CliRun.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestBrowseCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void run_data();
    void run();

private:
    QTemporaryDir m_dir;
    QString m_list;
};

void TestBrowseCommands::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_list = m_dir.filePath(u"list.csv"_s);
    QFile f(m_list);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Data\\Photos\\2009\\a.jpg,1/2/2009 10:00,1536,33;x1,Recovered\r\n"
            "Data\\Photos\\Data\\Photos\\b.jpg,1/3/2009 11:00,2048,32;x2,Partial\r\n"
            "Data\\Photos\\SETUP.EXE,1/4/2009 12:00,1234567,16416;x3,Recovered\r\n"
            "Data\\Photos\\bare.txt,1/5/2009,10,32,Good\r\n"
            "Data\\Photos\\..,1/6/2009,1,1;x,Good\r\n"
            "Data\\no comma here\r\n"
            "Data\\Caf\xe9.txt,1/7/2009,abc,22;x,Bad\r\n");
}

void TestBrowseCommands::run_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<bool>("errorShown");

    QTest::newRow("ls root") << QStringList{u"ls"_s, u"LIST"_s} << 0
                             << u"folder\tPhotos\t\t\t\t\n"
                                "file\tCaf\u00e9.txt\t1/7/2009\t0\t22;x\tBad\n"_s
                             << false;
    QTest::newRow("ls a folder")
        << QStringList{u"ls"_s, u"LIST"_s, u"Photos"_s} << 0
        << u"..\t..\t\t\t\t\n"
           "folder\t2009\t\t\t\t\n"
           "folder\tData\t\t\t\t\n"
           "file\t..\t1/6/2009\t1\t1;x\tGood\n"
           "file\tbare.txt\t1/5/2009\t10\t32\tGood\n"
           "program\tSETUP.EXE\t1/4/2009 12:00\t1,234,567\t16416;x3\tRecovered\n"_s
        << false;
    QTest::newRow("ls the repeated key")
        << QStringList{u"ls"_s, u"LIST"_s, u"Photos\\Data\\Photos"_s} << 0
        << u"..\t..\t\t\t\t\nfile\tb.jpg\t1/3/2009 11:00\t2,048\t32;x2\tPartial\n"_s << false;
    QTest::newRow("ls trailing backslash")
        << QStringList{u"ls"_s, u"LIST"_s, u"Photos\\2009\\"_s} << 0
        << u"..\t..\t\t\t\t\nfile\ta.jpg\t1/2/2009 10:00\t1,536\t33;x1\tRecovered\n"_s << false;
    QTest::newRow("ls unknown folder")
        << QStringList{u"ls"_s, u"LIST"_s, u"photos"_s} << 1 << QString() << true;
    QTest::newRow("ls missing list")
        << QStringList{u"ls"_s, u"MISSING"_s} << 1 << QString() << true;
    QTest::newRow("ls too many arguments")
        << QStringList{u"ls"_s, u"LIST"_s, u"a"_s, u"b"_s} << 2 << QString() << true;

    QTest::newRow("details of a file")
        << QStringList{u"details"_s, u"LIST"_s, u"Photos\\2009"_s, u"a.jpg"_s} << 0
        << u"size: 1.5 Kb\nmodified: 1/2/2009 10:00\nattributes: RA\n"_s << false;
    QTest::newRow("details: encrypted program")
        << QStringList{u"details"_s, u"LIST"_s, u"Photos"_s, u"SETUP.EXE"_s} << 0
        << u"size: 1.2 Mb\nmodified: 1/4/2009 12:00\nattributes: AE\n"_s << false;
    QTest::newRow("details: attributes without ;")
        << QStringList{u"details"_s, u"LIST"_s, u"Photos"_s, u"bare.txt"_s} << 0
        << u"size: \nmodified: \nattributes: \n"_s << false;
    QTest::newRow("details: the .. row")
        << QStringList{u"details"_s, u"LIST"_s, u"Photos"_s, u".."_s} << 0
        << u"size: \nmodified: \nattributes: \n"_s << false;
    QTest::newRow("details: a folder row")
        << QStringList{u"details"_s, u"LIST"_s, u""_s, u"Photos"_s} << 0
        << u"size: \nmodified: \nattributes: \n"_s << false;
    QTest::newRow("details: size not a number")
        << QStringList{u"details"_s, u"LIST"_s, u""_s, u"Caf\u00e9.txt"_s} << 0
        << u"size: 0\nmodified: 1/7/2009\nattributes: DHS\n"_s << false;
    QTest::newRow("details: no such entry")
        << QStringList{u"details"_s, u"LIST"_s, u"Photos"_s, u"setup.exe"_s} << 1 << QString()
        << true;
    QTest::newRow("details: a line without comma is no entry")
        << QStringList{u"details"_s, u"LIST"_s, u""_s, u"no comma here"_s} << 1 << QString()
        << true;
    QTest::newRow("details: missing name")
        << QStringList{u"details"_s, u"LIST"_s, u"Photos"_s} << 2 << QString() << true;
}

void TestBrowseCommands::run()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(bool, errorShown);

    for (QString &a : args) {
        if (a == u"LIST"_s)
            a = m_list;
        else if (a == u"MISSING"_s)
            a = m_dir.filePath(u"missing.csv"_s);
    }
    const QString program = corvane::testing::corvaneListProgram();
    QVERIFY2(QFile::exists(program), qPrintable(program));
    const corvane::testing::CliRun r = corvane::testing::runCli(program, args, QString());
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(r.out, out);
    QCOMPARE(!r.err.isEmpty(), errorShown);
}

QTEST_GUILESS_MAIN(TestBrowseCommands)
#include "tst_browsecommands.moc"
