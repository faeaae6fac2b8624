// "Save list as..." onto a disk that fills up and onto names that are no
// regular file: what the window says, in the user's language, and that
// nothing is lost.

#include "common/SmallDisk.h"
#include "testutil_window.h"
#include "zip/testutil_zip.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;
namespace zipfix = corvane::testing;

using corvane::testing::SmallDisk;

namespace {

QByteArray listBytes(int lines)
{
    QByteArray bytes;
    for (int i = 0; i < lines; ++i)
        bytes +=
            "C:\\Docs\\file" + QByteArray::number(i) + ".doc,2020-01-02 03:04:05,1000,32;7,OK\r\n";
    return bytes;
}

bool isFifo(const QString &path)
{
    struct stat st
    {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                  QDir::System);
}

} // namespace

class TestUiSave : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fullDisk_data();
    void fullDisk();
    void notRegularFile_data();
    void notRegularFile();

private:
    static QString save(WindowFixture &f, const QString &out);
};

// Saves the shown list as out and returns the one warning the window gave.
QString TestUiSave::save(WindowFixture &f, const QString &out)
{
    f.prompts.clear();
    f.prompts.saveFileAnswers.append(out);
    f.window->mnuSaveList_Click();
    if (!QTest::qWaitFor([&] { return !isSaving(*f.window); }, 30000))
        return u"<still saving>"_s;
    if (f.prompts.count(u"message"_s) != 0)
        return u"<reported as saved: %1>"_s.arg(f.prompts.callsOf(u"message"_s).first().text);
    const auto warnings = f.prompts.callsOf(u"warning"_s);
    return warnings.size() == 1 ? warnings.first().text : u"<%1 warnings>"_s.arg(warnings.size());
}

void TestUiSave::fullDisk_data()
{
    corvane::test::addLanguageRows();
}

// The list is several writes long: the disk fills up in the middle of it.
void TestUiSave::fullDisk()
{
    QFETCH(int, language);
    if (::geteuid() != 0)
        QSKIP("mounting a small tmpfs needs root");
    WindowFixture f;
    f.window->LoadLanguage(language);
    QTemporaryDir user;
    const QString listPath = user.filePath(u"Job42.csv"_s);
    const QByteArray bytes = listBytes(25000); // ~1.5 MB
    QVERIFY(zipfix::writeBytes(listPath, bytes));
    QVERIFY(f.load(listPath));
    const QString disk = user.filePath(u"disk"_s);
    QVERIFY(QDir().mkdir(disk));
    SmallDisk small(disk);
    QVERIFY(small.mounted());
    const QString out = disk + u"/older.csv"_s;
    const QByteArray older = "an older file\r\n";
    QVERIFY(zipfix::writeBytes(out, older));

    const QStringList column = corvane::test::langColumn(language);
    QCOMPARE(save(f, out), column.at(120).arg(QDir::toNativeSeparators(out), column.at(165)));
    QCOMPARE(zipfix::readBytes(out), older);
    QCOMPARE(entries(disk), QStringList{u"older.csv"_s});
    QCOMPARE(zipfix::readBytes(listPath), bytes);
    QVERIFY(control<QAction>(*f.window, "mnuSaveList")->isEnabled());
}

void TestUiSave::notRegularFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("entry"); // the reason the warning gives
    QTest::newRow("fifo") << u"fifo"_s << 166;
    QTest::newRow("link to a fifo") << u"linkfifo"_s << 166;
    QTest::newRow("link to nothing") << u"linknone"_s << 168;
    QTest::newRow("folder") << u"folder"_s << 167;
    QTest::newRow("no folder") << u"nofolder"_s << 169;
}

void TestUiSave::notRegularFile()
{
    QFETCH(QString, target);
    QFETCH(int, entry);
    WindowFixture f;
    QTemporaryDir user;
    const QString listPath = user.filePath(u"Job42.csv"_s);
    QVERIFY(zipfix::writeBytes(listPath, listBytes(3)));
    QVERIFY(f.load(listPath));
    const QString outDir = user.filePath(u"out"_s);
    QVERIFY(QDir().mkdir(outDir));
    QString out = outDir + u"/out.csv"_s;
    const QString pointed = user.filePath(u"pointed"_s);
    if (target == u"fifo"_s)
        QCOMPARE(::mkfifo(QFile::encodeName(out).constData(), 0644), 0);
    else if (target == u"linkfifo"_s)
        QCOMPARE(::mkfifo(QFile::encodeName(pointed).constData(), 0644), 0);
    else if (target == u"folder"_s)
        QVERIFY(QDir().mkdir(out));
    else if (target == u"nofolder"_s)
        out = outDir + u"/nowhere/out.csv"_s;
    if (target.startsWith(u"link"_s))
        QVERIFY(QFile::link(pointed, out));
    const QStringList before = entries(outDir);

    QCOMPARE(save(f, out),
             langText(*f.window, LangEntry::SaveFailed)
                 .arg(QDir::toNativeSeparators(out), langText(*f.window, LangEntry(entry))));
    QCOMPARE(entries(outDir), before);
    if (target == u"fifo"_s)
        QVERIFY(isFifo(out));
    if (target == u"linkfifo"_s)
        QVERIFY(isFifo(pointed));
    if (target.startsWith(u"link"_s))
        QCOMPARE(QFileInfo(out).symLinkTarget(), pointed);
}

QTEST_MAIN(TestUiSave)
#include "tst_ui_save.moc"
