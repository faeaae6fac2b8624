#include "common/CliRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// corvane-list find, run as a user would run it.
class TestFindCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void find_data();
    void find();

private:
    QString m_program;
    QTemporaryDir m_dir;
    QString m_list;
};

void TestFindCli::initTestCase()
{
    m_program = corvane::testing::corvaneListProgram();
    QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
    QVERIFY(m_dir.isValid());
    m_list = m_dir.filePath(u"list.csv"_s);
    QFile f(m_list);
    QVERIFY(f.open(QIODevice::WriteOnly));
    // Not in store order in the file; "é" in Windows-1252.
    f.write("Data\\Fotos\\b.jpg,2019-07-01 08:00:00,3145728,32;A1,Recovered\r\n"
            "Data\\Fotos\\Caf\xE9.JPG,2020-01-05 12:00:00,100,32;A2,Damaged\r\n"
            "Data\\Docs\\a.doc,2019-03-01 10:00:00,2048,32;A3,Recovered\r\n"
            "Data\\Docs\\tmp.doc,2019-03-02 10:00:00,10,32;A4,Recovered\r\n");
}

void TestFindCli::find_data()
{
    QTest::addColumn<QStringList>("args"); // after the list's path
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QString b = u"Data\\Fotos\\b.jpg,2019-07-01 08:00:00,3145728,32;A1,Recovered\n"_s;
    const QString cafe = u"Data\\Fotos\\Caf\u00e9.JPG,2020-01-05 12:00:00,100,32;A2,Damaged\n"_s;
    const QString a = u"Data\\Docs\\a.doc,2019-03-01 10:00:00,2048,32;A3,Recovered\n"_s;
    const QString tmp = u"Data\\Docs\\tmp.doc,2019-03-02 10:00:00,10,32;A4,Recovered\n"_s;
    QTest::newRow("one word, lines in the store's order")
        << QStringList{u"doc"_s} << 0 << a + tmp << QString();
    QTest::newRow("words in several arguments, an exclusion")
        << QStringList{u"docs"_s, u"-tmp"_s} << 0 << a << QString();
    QTest::newRow("the words in one argument")
        << QStringList{u"ext:jpg dm:2020"_s} << 0 << cafe << QString();
    QTest::newRow("decoded to UTF-8") << QStringList{u"CAF\u00c9"_s} << 0 << cafe << QString();
    QTest::newRow("--count") << QStringList{u"--count"_s, u"fotos"_s} << 0
                             << u"matches: 2\nbytes: 3145828\n"_s << QString();
    QTest::newRow("--count after the words, every line")
        << QStringList{u"*"_s, u"--count"_s} << 0 << u"matches: 4\nbytes: 3147886\n"_s << QString();
    QTest::newRow("a word not understood is named, the rest still narrows")
        << QStringList{u"size:>abc"_s, u"kind:cats"_s, u"class:good"_s, u"--count"_s} << 0
        << u"matches: 3\nbytes: 3147786\n"_s
        << u"corvane-list: 'size:>abc' is ignored: not a size (such as size:>10mb, size:<1kb, "
           u"size:1mb..1gb)\ncorvane-list: 'kind:cats' is ignored: not a kind of file (photos, "
           u"videos, music, documents, spreadsheets, presentations, mail, archives, databases, "
           u"programs, other)\n"_s;
    QTest::newRow("after --, --count is a word (excluding \"-count\")")
        << QStringList{u"--"_s, u"--count"_s} << 0 << a + tmp + cafe + b << QString();
    QTest::newRow("no match") << QStringList{u"zzz"_s} << 0 << QString() << QString();
    QTest::newRow("only spaces: every line") << QStringList{u"   "_s, u"--count"_s} << 0
                                             << u"matches: 4\nbytes: 3147886\n"_s << QString();
    QTest::newRow("no query") << QStringList{} << 2 << QString() << QString();
}

void TestFindCli::find()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const corvane::testing::CliRun r =
        corvane::testing::runCli(m_program, QStringList{u"find"_s, m_list} + args);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(r.out, out);
    if (exitCode == 2)
        QVERIFY(r.err.contains(u"corvane-list find LIST QUERY..."_s));
    else
        QCOMPARE(r.err, err);
}

QTEST_GUILESS_MAIN(TestFindCli)
#include "tst_find_cli.moc"
