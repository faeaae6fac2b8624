// The lab's notes of an opened archive: listed at once from the archive's
// entries, each read from the archive when opened, nothing unpacked.

#include "app/ui/NoteViewer.h"
#include "listfile/SizeText.h"
#include "testutil_window.h"
#include "zip/ZipNote.h"
#include "zip/testutil_zip.h"

#include <QDirIterator>
#include <QListView>
#include <QPlainTextEdit>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;
namespace zipfix = corvane::testing;

namespace {

QByteArray listOf(const QByteArray &top)
{
    return top + "\\Docs\\file1.doc,2020-01-02 03:04:05,1000,32;77,OK\r\n" + top +
           "\\Docs\\file2.doc,2020-01-02 03:04:05,1001,32;77,OK\r\n";
}

struct Window : WindowFixture
{
    QTemporaryDir user;
    const QString zip = user.filePath(u"lab.zip"_s);
    // lab.zip with the two lists a.csv and b.csv, then `more`, opened.
    void openLab(const QList<zipfix::FixtureEntry> &more)
    {
        const QList<zipfix::FixtureEntry> lists{zipfix::entry("a.csv", listOf("A")),
                                                zipfix::entry("b.csv", listOf("B"))};
        QVERIFY(zipfix::writeZip(zip, lists + more));
        open(zip);
    }
    QStringList listedNotes() const
    {
        return columnTexts(control<QListView>(*window, "NotesList")->model());
    }
    // Opens note `row` as a double-click does; the viewer it shows, taken
    // out of the window so that the next one is found alone.
    std::unique_ptr<NoteViewer> openNote(int row)
    {
        auto *notes = control<QListView>(*window, "NotesList");
        Q_EMIT notes->activated(notes->model()->index(row, 0));
        auto *viewer = window->findChild<NoteViewer *>();
        if (viewer)
            viewer->setParent(nullptr);
        return std::unique_ptr<NoteViewer>(viewer);
    }
    // Every file under the data folder (where members would be unpacked).
    QStringList dataFiles() const
    {
        QStringList files;
        QDirIterator it(dataDir.path(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(QDir(dataDir.path()).relativeFilePath(it.next()));
        files.sort();
        return files;
    }
};

} // namespace

class TestUiNotes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameNameInTwoFolders()
    {
        Window f;
        QVERIFY(zipfix::writeZip(f.zip, {zipfix::entry("a.csv", listOf("A")),
                                         zipfix::entry("one/readme.txt", "Disk one\r\n"),
                                         zipfix::entry("b.csv", listOf("B")),
                                         zipfix::entry("two/readme.txt", "Disk two\r\n")}));
        f.open(f.zip);
        QCOMPARE(f.listedNotes(), (QStringList{u"one/readme.txt"_s, u"two/readme.txt"_s}));
        const auto first = f.openNote(0);
        const auto second = f.openNote(1);
        QVERIFY(first && second);
        QCOMPARE(first->textView()->toPlainText(), u"Disk one\n"_s);
        QCOMPARE(second->textView()->toPlainText(), u"Disk two\n"_s);
        QVERIFY(!first->noticeLabel());
        QCOMPARE(f.prompts.boxCount(), 0);
        QCOMPARE(f.dataFiles(), QStringList{u"data/LastFolder.inc"_s});
    }

    // Thousands of notes are listed, in the archive's order, and none is
    // unpacked.
    void manyNotes()
    {
        Window f;
        QList<zipfix::FixtureEntry> entries;
        QStringList expected;
        for (int i = 0; i < 3000; ++i) {
            const QByteArray name = "notes/n" + QByteArray::number(i) + (i % 2 ? ".log" : ".txt");
            entries.append(zipfix::FixtureEntry{name, "note " + QByteArray::number(i)});
            expected.append(QString::fromLatin1(name));
        }
        f.openLab(entries);
        QCOMPARE(f.listedNotes(), expected);
        QVERIFY(!control<QGroupBox>(f.w(), "NotesFrame")->isHidden());
        QCOMPARE(f.dataFiles(), QStringList{u"data/LastFolder.inc"_s});
        const auto last = f.openNote(2999);
        QVERIFY(last);
        QCOMPARE(last->textView()->toPlainText(), u"note 2999"_s);
    }

    // A note far larger than what is read of it: its beginning, and a line
    // that says so in the window's language.
    void hugeNoteShownInPart_data() { addLanguageRows(); }
    void hugeNoteShownInPart()
    {
        QFETCH(int, language);
        Window f;
        f.w().LoadLanguage(language);
        const QByteArray line = "sector 123456 read again\r\n";
        QByteArray bytes;
        bytes.reserve(6 * 1024 * 1024);
        while (bytes.size() < 6 * 1024 * 1024)
            bytes += line;
        f.openLab({zipfix::entry("scan.log", bytes)});
        const auto viewer = f.openNote(0);
        QVERIFY(viewer);
        QVERIFY(viewer->noticeLabel());
        QCOMPARE(viewer->noticeLabel()->textFormat(), Qt::PlainText);
        // Sizes as the window's language writes them.
        const QLocale locale = displayLocale(language, userLocale(f.w()));
        const SizeUnits units = SizeUnits::fromText(langColumn(language).value(219));
        const QString entry = langColumn(language).value(160);
        QVERIFY(!entry.isEmpty());
        QCOMPARE(
            viewer->noticeLabel()->text(),
            entry.arg(FormatSize(*ByteTotal::fromBytes(corvane::zip::NoteReadLimit), locale, units),
                      FormatSize(*ByteTotal::fromBytes(bytes.size()), locale, units)));
        QCOMPARE(f.dataFiles(), QStringList{u"data/LastFolder.inc"_s});
        if (language != LanguageEnglish)
            return;
        // What is shown is the note's beginning, up to the limit.
        QTRY_VERIFY_WITH_TIMEOUT(viewer->isComplete(), 60000);
        const QString shown = viewer->textView()->toPlainText();
        QVERIFY(shown.size() <= corvane::zip::NoteReadLimit);
        QVERIFY(shown.size() > corvane::zip::NoteReadLimit / 2);
        QVERIFY(shown.startsWith(u"sector 123456 read again\nsector"_s));
    }

    // The archive was replaced after it was opened: the note listed is not
    // there any more, and another's text is not shown in its place.
    void archiveRewritten()
    {
        Window f;
        f.openLab({zipfix::entry("one.txt", "one"), zipfix::entry("two.txt", "two")});
        QVERIFY(zipfix::writeZip(
            f.zip, {zipfix::entry("a.csv", listOf("A")), zipfix::entry("b.csv", listOf("B")),
                    zipfix::entry("two.txt", "two"), zipfix::entry("one.txt", "one")}));
        QVERIFY(!f.openNote(0));
        QCOMPARE(f.prompts.count(u"warning"_s), 1);
        QVERIFY(f.prompts.calls.last().text.contains(u"one.txt"_s));
    }

    // A note whose data is damaged is listed; opening it says why it cannot
    // be read, and shows nothing.
    void damagedNote()
    {
        Window f;
        const QString &zip = f.zip;
        zipfix::FixtureEntry note = zipfix::entry("readme.txt", QByteArray(3000, 'r'));
        note.store = true;
        QVERIFY(zipfix::writeZip(
            zip, {note, zipfix::entry("a.csv", listOf("A")), zipfix::entry("b.csv", listOf("B"))}));
        QByteArray bytes = readBytes(zip);
        const zipfix::EntryHeaders h = zipfix::findHeaders(bytes).value(0);
        zipfix::patchField(bytes, h, zipfix::Field::Crc,
                           zipfix::read32(bytes, h.central + 16) ^ 0x5a5a5a5au);
        f.openNew(zip, bytes);
        QCOMPARE(f.listedNotes(), QStringList{u"readme.txt"_s});
        QVERIFY(!f.openNote(0));
        QCOMPARE(f.prompts.count(u"warning"_s), 1);
        QVERIFY(f.prompts.calls.last().text.startsWith(
            langText(f.w(), LangEntry::NoteUnreadable).arg(u"readme.txt"_s, QString()).trimmed()));
    }
};

QTEST_MAIN(TestUiNotes)
#include "tst_ui_notes.moc"
