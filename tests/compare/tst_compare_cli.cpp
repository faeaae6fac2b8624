#include "common/CliRun.h"
#include "zip/testutil_zip.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// corvane-list compare OLD NEW, run as a user would run it.
class TestCompareCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void compare_data();
    void compare();
    void failures_data();
    void failures();

private:
    using Run = corvane::testing::CliRun;
    QString write(const QString &name, const QByteArray &bytes);
    QString m_program;
    QTemporaryDir m_dir;
};

static const QByteArray oldList = "Data\\a.txt,2020-01-01 10:00:00,10,32;AB,OK\r\n"
                                  "Data\\b.txt,2020-01-01 10:00:00,10,32;AB,OK\r\n"
                                  "Data\\sub\\c.txt,2020-01-01 10:00:00,10,32;AB,Damaged\r\n"
                                  "Data\\sub 2\\d.txt,2020-01-01 10:00:00,5,32;AB,OK\r\n"
                                  "Data\\\xC4rger.txt,2020-01-01 10:00:00,5,32;AB,OK\r\n";
static const QByteArray newList = "Disk\\a.txt,2020-01-01 10:00:00,10,32;AB,OK\r\n"
                                  "Disk\\b.txt,2020-01-01 10:00:00,11,32;AB,OK\r\n"
                                  "Disk\\sub\\c.txt,2020-01-01 10:00:00,10,32;AB,OK\r\n"
                                  "Disk\\sub\\e.txt,2020-01-01 10:00:00,10,32;AB,OK\r\n"
                                  "Disk\\\xC4rger.txt,2020-01-01 10:00:00,5,32;AB,Bad\r\n";
static const QByteArray fullOutput = "s\tb.txt\t10\t11\n"
                                     "-\tsub 2\\d.txt\tOK\n"
                                     "~\tsub\\c.txt\tDamaged\tOK\n"
                                     "+\tsub\\e.txt\tOK\n"
                                     "~\t\xC3\x84rger.txt\tOK\tBad\n";
static const QByteArray summary =
    "added: 1 removed: 1 status_changed: 2 size_changed: 1 unchanged: 1\n";

void TestCompareCli::initTestCase()
{
    m_program = corvane::testing::corvaneListProgram();
    QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
    QVERIFY(m_dir.isValid());
    QVERIFY(!write(u"old.csv"_s, oldList).isEmpty());
    QVERIFY(!write(u"new.csv"_s, newList).isEmpty());
    QVERIFY(!write(u"empty.csv"_s, QByteArray()).isEmpty());
    QVERIFY(corvane::testing::writeZip(m_dir.filePath(u"delivery.zip"_s),
                                       {corvane::testing::entry("first.csv", oldList),
                                        corvane::testing::entry("second.csv", newList),
                                        corvane::testing::entry("note.txt", "see the lists\r\n")}));
}

QString TestCompareCli::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {};
    return path;
}

void TestCompareCli::compare_data()
{
    QTest::addColumn<QStringList>("args"); // OLD, NEW as names in the folder, options
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("each change") << QStringList{u"old.csv"_s, u"new.csv"_s} << fullOutput + summary;
    QTest::newRow("--summary") << QStringList{u"old.csv"_s, u"new.csv"_s, u"--summary"_s}
                               << summary;
    QTest::newRow("--summary first")
        << QStringList{u"--summary"_s, u"old.csv"_s, u"new.csv"_s} << summary;
    QTest::newRow("the same file")
        << QStringList{u"new.csv"_s, u"new.csv"_s}
        << QByteArray("added: 0 removed: 0 status_changed: 0 size_changed: 0 unchanged: 5\n");
    QTest::newRow("OLD empty")
        << QStringList{u"empty.csv"_s, u"new.csv"_s, u"--summary"_s}
        << QByteArray("added: 5 removed: 0 status_changed: 0 size_changed: 0 unchanged: 0\n");
    QTest::newRow("members of a zip")
        << QStringList{u"delivery.zip:first.csv"_s, u"delivery.zip:second.csv"_s}
        << fullOutput + summary;
    QTest::newRow("a member against a file")
        << QStringList{u"delivery.zip:first.csv"_s, u"old.csv"_s}
        << QByteArray("added: 0 removed: 0 status_changed: 0 size_changed: 0 unchanged: 5\n");
}

void TestCompareCli::compare()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, expected);
    QStringList full{u"compare"_s};
    for (const QString &a : args)
        full.append(a.startsWith(u'-') ? a : m_dir.filePath(a));
    // Plain digits and the same lines whatever the locale.
    for (const QString &lang : {u"en_US.UTF-8"_s, u"de_DE.UTF-8"_s}) {
        const Run r = corvane::testing::runCli(m_program, full, lang);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.outBytes, expected);
    }
}

void TestCompareCli::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("errPart");
    QTest::newRow("one list") << QStringList{u"old.csv"_s} << 2 << u"usage:"_s;
    QTest::newRow("three lists") << QStringList{u"old.csv"_s, u"new.csv"_s, u"new.csv"_s} << 2
                                 << u"usage:"_s;
    QTest::newRow("OLD missing") << QStringList{u"gone.csv"_s, u"new.csv"_s} << 1
                                 << u"gone.csv: the file does not exist"_s;
    QTest::newRow("NEW missing") << QStringList{u"old.csv"_s, u"gone.csv"_s} << 1
                                 << u"gone.csv: the file does not exist"_s;
    QTest::newRow("a zip without its member")
        << QStringList{u"old.csv"_s, u"delivery.zip"_s} << 1 << u"delivery.zip:MEMBER"_s;
    QTest::newRow("a member the zip lacks")
        << QStringList{u"delivery.zip:other.csv"_s, u"new.csv"_s} << 1
        << u"holds no list named other.csv"_s;
    QTest::newRow("a folder") << QStringList{u"old.csv"_s, u"."_s} << 1 << u"folder"_s;
}

void TestCompareCli::failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, errPart);
    QStringList full{u"compare"_s};
    for (const QString &a : args)
        full.append(m_dir.filePath(a));
    const Run r = corvane::testing::runCli(m_program, full);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.contains(errPart), qPrintable(r.err));
    if (exitCode == 1)
        QCOMPARE(r.err.count(u'\n'), 1);
}

QTEST_GUILESS_MAIN(TestCompareCli)
#include "tst_compare_cli.moc"
