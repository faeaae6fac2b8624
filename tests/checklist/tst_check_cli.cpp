#include "common/CliRun.h"
#include "zip/testutil_zip.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

// corvane-list check and classes LIST, run as a user would run them.
class TestCheckCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void check_data();
    void check();
    void plainDigits();
    void failures_data();
    void failures();
    void classesOfAList();

private:
    using Run = corvane::testing::CliRun;
    QString write(const QString &name, const QByteArray &bytes);
    QString m_program;
    QTemporaryDir m_dir;
    QString m_list;
};

static const QByteArray list =
    "Data\\Diplomarbeit\\Kapitel1.doc,2009-05-12 14:33:00,1024,32;AB,OK\r\n"
    "Data\\Diplomarbeit\\Kapitel2.doc,2009-05-12 14:33:00,1024,32;AB,Damaged\r\n"
    "Data\\Mail\\outlook.pst,2009-05-12 14:33:00,1,32;AB,Partial\r\n"
    "Data\\Fotos\\IMG_2019_01.jpg,2009-05-12 14:33:00,1,32;AB,Overwritten\r\n"
    "Data\\Fotos\\IMG_2019_02.jpg,2009-05-12 14:33:00,1,32;AB,Frobbed\r\n"
    "Data\\\xC4rger.txt,2009-05-12 14:33:00,1,32;AB,OK\r\n";

void TestCheckCli::initTestCase()
{
    m_program = corvane::testing::corvaneListProgram();
    QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
    QVERIFY(m_dir.isValid());
    m_list = write(u"list.csv"_s, list);
}

QString TestCheckCli::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {};
    return path;
}

void TestCheckCli::check_data()
{
    QTest::addColumn<QByteArray>("checkList");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("each verdict")
        << QByteArray("# what matters\r\n  Diplomarbeit  \r\n*.pst\r\nIMG_2019*\r\nurlaub\r\n"
                      "\xE4rger\r\n")
        << QByteArray("recovered\t2\tDiplomarbeit\n"
                      "partial\t1\t*.pst\n"
                      "damaged\t2\tIMG_2019*\n"
                      "missing\t0\turlaub\n"
                      "recovered\t1\t\xC3\xA4rger\n"
                      "entries: 5 recovered: 2 partial: 1 damaged: 1 missing: 1\n");
    QTest::newRow("semicolon inside an entry")
        << QByteArray("pst;jpg\n")
        << QByteArray("missing\t0\tpst;jpg\n"
                      "entries: 1 recovered: 0 partial: 0 damaged: 0 "
                      "missing: 1\n");
    QTest::newRow("no entries") << QByteArray("\n# nothing\n")
                                << QByteArray("entries: 0 recovered: 0 partial: 0 damaged: 0 "
                                              "missing: 0\n");
    QTest::newRow("the list as its own check list")
        << list
        << QByteArray("recovered\t1\tData\\Diplomarbeit\\Kapitel1.doc,2009-05-12 "
                      "14:33:00,1024,32;AB,OK\n"
                      "damaged\t1\tData\\Diplomarbeit\\Kapitel2.doc,2009-05-12 "
                      "14:33:00,1024,32;AB,Damaged\n"
                      "partial\t1\tData\\Mail\\outlook.pst,2009-05-12 14:33:00,1,32;AB,Partial\n"
                      "damaged\t1\tData\\Fotos\\IMG_2019_01.jpg,2009-05-12 "
                      "14:33:00,1,32;AB,Overwritten\n"
                      "damaged\t1\tData\\Fotos\\IMG_2019_02.jpg,2009-05-12 "
                      "14:33:00,1,32;AB,Frobbed\n"
                      "recovered\t1\tData\\\xC3\x84rger.txt,2009-05-12 14:33:00,1,32;AB,OK\n"
                      "entries: 6 recovered: 2 partial: 1 damaged: 3 missing: 0\n");
}

void TestCheckCli::check()
{
    QFETCH(QByteArray, checkList);
    QFETCH(QByteArray, expected);
    const QString path = write(u"check.txt"_s, checkList);
    const Run r = corvane::testing::runCli(m_program, {u"check"_s, m_list, path});
    QCOMPARE(r.err, QString());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.outBytes, expected);
}

// Counts in plain digits whatever the locale.
void TestCheckCli::plainDigits()
{
    QByteArray big;
    for (int i = 0; i < 1234; ++i)
        big += "D\\f" + QByteArray::number(i) + ".txt,1,2,3,OK\r\n";
    const QString bigList = write(u"big.csv"_s, big);
    const QString checkList = write(u"check-all.txt"_s, "*\n");
    for (const QString &lang : {u"de_DE.UTF-8"_s, u"fr_FR.UTF-8"_s, u"en_US.UTF-8"_s}) {
        const Run r = corvane::testing::runCli(m_program, {u"check"_s, bigList, checkList}, lang);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.outBytes,
                 QByteArray("recovered\t1234\t*\n"
                            "entries: 1 recovered: 1 partial: 0 damaged: 0 missing: 0\n"));
    }
}

void TestCheckCli::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("errPart");
    const QString missing = u"/nonexistent/x.csv"_s;
    QTest::newRow("no arguments") << QStringList{u"check"_s} << 2 << u"usage:"_s;
    QTest::newRow("one argument") << QStringList{u"check"_s, u"LIST"_s} << 2 << u"usage:"_s;
    QTest::newRow("three arguments")
        << QStringList{u"check"_s, u"LIST"_s, u"CHECK"_s, u"x"_s} << 2 << u"usage:"_s;
    QTest::newRow("missing list") << QStringList{u"check"_s, missing, u"CHECK"_s} << 1
                                  << missing + u": the file does not exist"_s;
    QTest::newRow("missing check list") << QStringList{u"check"_s, u"LIST"_s, missing} << 1
                                        << missing + u": the file does not exist"_s;
    QTest::newRow("folder as list")
        << QStringList{u"check"_s, u"DIR"_s, u"CHECK"_s} << 1 << u"it is a folder"_s;
    QTest::newRow("folder as check list")
        << QStringList{u"check"_s, u"LIST"_s, u"DIR"_s} << 1 << u"it is a folder"_s;
    QTest::newRow("FIFO as check list")
        << QStringList{u"check"_s, u"LIST"_s, u"FIFO"_s} << 1 << u"not a regular file"_s;
    QTest::newRow("FIFO as list") << QStringList{u"check"_s, u"FIFO"_s, u"CHECK"_s} << 1
                                  << u"not a regular file"_s;
    QTest::newRow("zip as list") << QStringList{u"check"_s, u"ZIP"_s, u"CHECK"_s} << 1
                                 << u"is a zip archive, not a list"_s;
    QTest::newRow("classes of a zip")
        << QStringList{u"classes"_s, u"ZIP"_s} << 1 << u"is a zip archive, not a list"_s;
    QTest::newRow("classes of a FIFO")
        << QStringList{u"classes"_s, u"FIFO"_s} << 1 << u"not a regular file"_s;
}

void TestCheckCli::failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, errPart);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString zip = dir.filePath(u"Lists.zip"_s);
    QVERIFY(corvane::testing::writeZip(zip, {corvane::testing::entry("Job42.csv", list)}));
    const QString fifo = dir.filePath(u"fifo"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString check = write(u"check-failures.txt"_s, "Diplomarbeit\n");
    args.replaceInStrings(u"ZIP"_s, zip);
    args.replaceInStrings(u"FIFO"_s, fifo);
    args.replaceInStrings(u"DIR"_s, dir.path());
    args.replaceInStrings(u"CHECK"_s, check);
    args.replaceInStrings(u"LIST"_s, m_list);
    const Run r = corvane::testing::runCli(m_program, args, u"en_US.UTF-8"_s, {}, 20000);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(r.outBytes, QByteArray());
    QVERIFY2(r.err.contains(errPart), qPrintable(r.err));
    if (exitCode == 1)
        QCOMPARE(r.err.count(u'\n'), 1);
}

void TestCheckCli::classesOfAList()
{
    const Run r = corvane::testing::runCli(m_program, {u"classes"_s, m_list});
    QCOMPARE(r.err, QString());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, u"good\t2\tOK\n"
                    "bad\t1\tDamaged\n"
                    "unknown\t1\tFrobbed\n"
                    "bad\t1\tOverwritten\n"
                    "partial\t1\tPartial\n"_s);
    // Without LIST: the table, as before.
    const Run table = corvane::testing::runCli(m_program, {u"classes"_s});
    QCOMPARE(table.exitCode, 0);
    QVERIFY(table.out.contains(u"Recovered\tgood\n"_s));
}

QTEST_GUILESS_MAIN(TestCheckCli)
#include "tst_check_cli.moc"
