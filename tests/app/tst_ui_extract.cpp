// The open command's decisions around unpacking and loading, through the
// window with fake prompts: members of different archives kept apart, the
// question before a very big member, the message a failed extraction leads
// with, and the question before loading a file that is no list.

#include "testutil_window.h"
#include "zip/testutil_zip.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;
namespace zipfix = corvane::testing;

class TestUiExtract : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void archivesKeptApart();
    void failureLeadsWithWhatHappened_data();
    void failureLeadsWithWhatHappened();
    void bigMemberAsks_data();
    void bigMemberAsks();
    void notAListAsks_data();
    void notAListAsks();
};

void TestUiExtract::archivesKeptApart()
{
    WindowFixture f;
    QTemporaryDir user;
    QVERIFY(QDir(user.path()).mkpath(u"lab1"_s) && QDir(user.path()).mkpath(u"lab2"_s));
    const QString first = user.filePath(u"lab1/delivery.zip"_s);
    const QString second = user.filePath(u"lab2/delivery.zip"_s);
    QVERIFY(zipfix::writeZip(first, {zipfix::entry("list.csv", listBytes("One", 3))}));
    QVERIFY(zipfix::writeZip(second, {zipfix::entry("list.csv", listBytes("Two", 5))}));

    f.open(first);
    const QString firstList = currentListFile(*f.window);
    QCOMPARE(shownList(*f.window).lineCount, 3);
    f.open(second);
    QCOMPARE(f.prompts.count(u"question"_s), 0); // another archive: nothing replaced
    QCOMPARE(shownList(*f.window).lineCount, 5);
    QVERIFY(currentListFile(*f.window) != firstList);
    QCOMPARE(zipfix::readBytes(firstList), listBytes("One", 3));
    QCOMPARE(zipfix::readBytes(currentListFile(*f.window)), listBytes("Two", 5));

    // The same single member of the same archive again: nothing is asked;
    // unchanged, the copy is used as it is.
    f.open(first);
    QCOMPARE(f.prompts.count(u"question"_s), 0);
    QCOMPARE(currentListFile(*f.window), firstList);
    QCOMPARE(shownList(*f.window).lineCount, 3);
    QVERIFY(f.commandsEnabled());
    // Changed in the archive: unpacked again without a question.
    QVERIFY(zipfix::writeZip(first, {zipfix::entry("list.csv", listBytes("One", 7))}));
    f.open(first);
    QCOMPARE(f.prompts.count(u"question"_s), 0);
    QCOMPARE(currentListFile(*f.window), firstList);
    QCOMPARE(shownList(*f.window).lineCount, 7);
    QCOMPARE(zipfix::readBytes(firstList), listBytes("One", 7));
}

void TestUiExtract::failureLeadsWithWhatHappened_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("entry");
    QTest::newRow("bad checksum") << u"crc"_s << 76;
    QTest::newRow("corrupt data") << u"deflate"_s << 76;
    QTest::newRow("unknown method") << u"method"_s << 77;
    QTest::newRow("larger than declared") << u"bomb"_s << 76;
}

void TestUiExtract::failureLeadsWithWhatHappened()
{
    QFETCH(QString, damage);
    QFETCH(int, entry);
    for (const QLocale &locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany)}) {
        WindowFixture f(locale);
        QTemporaryDir user;
        const QString zipPath = user.filePath(u"lists.zip"_s);
        QVERIFY(zipfix::writeZip(zipPath, {zipfix::entry("list.csv", listBytes("D", 2000))}));
        QByteArray zip = zipfix::readBytes(zipPath);
        const zipfix::EntryHeaders h = zipfix::findHeaders(zip).first();
        if (damage == u"crc"_s)
            zipfix::patchField(zip, h, zipfix::Field::Crc,
                               zipfix::read32(zip, h.central + 16) ^ 1u);
        else if (damage == u"deflate"_s)
            zip[zipfix::dataOffset(zip, h)] = char(0xff);
        else if (damage == u"method"_s)
            zipfix::patchField(zip, h, zipfix::Field::Method, 97);
        else if (damage == u"bomb"_s)
            zipfix::patchField(zip, h, zipfix::Field::Size, 100);
        f.openNew(zipPath, zip);
        const auto warnings = f.prompts.callsOf(u"warning"_s);
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].text.startsWith(langText(*f.window, LangEntry(entry))),
                 qPrintable(warnings[0].text));
        QVERIFY(!warnings[0].text.startsWith(langText(*f.window, LangEntry::ListNotFound)));
        QCOMPARE(shownList(*f.window).lineCount, 0);
        QVERIFY(f.commandsEnabled());
    }
}

void TestUiExtract::bigMemberAsks_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("no") << false;
    QTest::newRow("yes") << true;
}

void TestUiExtract::bigMemberAsks()
{
    QFETCH(bool, answer);
    WindowFixture f;
    QTemporaryDir user;
    const QString zipPath = user.filePath(u"bomb.zip"_s);
    QVERIFY(zipfix::writeZip(zipPath, {zipfix::entry("list.csv", listBytes("D", 20))}));
    QByteArray zip = zipfix::readBytes(zipPath);
    // It declares 3.75 GB.
    zipfix::patchField(zip, zipfix::findHeaders(zip).first(), zipfix::Field::Size, 0xF0000000u);
    QVERIFY(zipfix::writeBytes(zipPath, zip));
    f.prompts.questionAnswers = {answer};
    f.open(zipPath);
    const auto questions = f.prompts.callsOf(u"question"_s);
    QCOMPARE(questions.size(), 1);
    QVERIFY2(questions[0].text.contains(u"3.8 Gb"_s) || questions[0].text.contains(u"3.7 Gb"_s),
             qPrintable(questions[0].text));
    QCOMPARE(QFileInfo::exists(QDir(memberFolder(*f.window)).filePath(u"list.csv"_s)), false);
    if (answer) // unpacked, and found smaller than declared
        QCOMPARE(f.prompts.count(u"warning"_s), 1);
    QCOMPARE(shownList(*f.window).lineCount, 0);
    QVERIFY(f.commandsEnabled());
}

void TestUiExtract::notAListAsks_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("answer");
    const QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20);
    const QByteArray prose = "Dear customer,\r\nyour disk is ready.\r\n";
    QTest::newRow("binary, stop") << png << 71 << false;
    QTest::newRow("binary, go on") << png << 71 << true;
    QTest::newRow("prose, stop") << prose << 72 << false;
    QTest::newRow("prose, go on") << prose << 72 << true;
    QTest::newRow("a list asks nothing") << listBytes("D", 3) << 0 << false;
}

void TestUiExtract::notAListAsks()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, entry);
    QFETCH(bool, answer);
    for (const QLocale &locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::French, QLocale::France)}) {
        WindowFixture f(locale);
        QTemporaryDir user;
        const QString before = user.filePath(u"before.csv"_s);
        f.openNew(before, listBytes("Old", 2));
        const QString path = user.filePath(u"picked.csv"_s);
        QVERIFY(zipfix::writeBytes(path, bytes));
        f.prompts.clear();
        f.prompts.questionAnswers = {answer};
        f.open(path);
        const auto questions = f.prompts.callsOf(u"question"_s);
        if (entry == 0) {
            QCOMPARE(questions.size(), 0);
            QCOMPARE(shownList(*f.window).lineCount, 3);
            continue;
        }
        QCOMPARE(questions.size(), 1);
        QVERIFY(questions[0].text.startsWith(langText(*f.window, LangEntry(entry))));
        QVERIFY(questions[0].text.endsWith(langText(*f.window, LangEntry::LoadAnyway)));
        QVERIFY(!langText(*f.window, LangEntry(entry)).isEmpty());
        if (answer) {
            QCOMPARE(currentListFile(*f.window), path);
        } else {
            QCOMPARE(currentListFile(*f.window), before);
            QCOMPARE(shownList(*f.window).lineCount, 2);
        }
        QVERIFY(f.commandsEnabled());
        QCOMPARE(zipfix::readBytes(path), bytes);
    }
}

QTEST_MAIN(TestUiExtract)
#include "tst_ui_extract.moc"
