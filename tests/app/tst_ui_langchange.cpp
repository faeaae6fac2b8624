// A language change from the menu with a list shown: every number on screen
// in the new language's format, the page and the folder header kept, the
// menu marking the language, and no English word left in another language.

#include "approval/ui/ApprovalMessageDialog.h"
#include "browse/FileGridModel.h"
#include "browse/FolderListing.h"
#include "browse/ui/FolderTreeModel.h"
#include "browse/ui/RecoveryLegend.h"
#include "testutil_window.h"

using namespace corvane;
using namespace corvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int FileCount = 12000;
constexpr qint64 FileSize = 123456;

// 12,000 files of 123,456 bytes in Data\Docs: 1,481,472,000 bytes in all.
QByteArray bigList()
{
    QByteArray bytes;
    for (int i = 0; i < FileCount; ++i)
        bytes += "Data\\Docs\\file" + QByteArray::number(i) + ".doc,2020-01-02 03:04:05," +
                 QByteArray::number(FileSize) + ",32;77,OK\r\n";
    return bytes;
}

// How each language writes numbers, as the window must: the user's own
// locale where it speaks the language (Swiss German here), else the
// language's own.
QLocale expectedLocale(int language)
{
    switch (language) {
    case LanguagePortuguese:
        return QLocale(u"pt_PT"_s);
    case LanguageGerman:
        return QLocale(u"de_CH"_s);
    case LanguageFrench:
        return QLocale(u"fr_FR"_s);
    case LanguageSwedish:
        return QLocale(u"sv_SE"_s);
    case LanguageDutch:
        return QLocale(u"nl_NL"_s);
    }
    return QLocale(u"en_US"_s);
}

// The unit word `index` (0 bytes, 1 Kb, ... 4 Tb) of a language.
QString unit(int language, int index)
{
    return langColumn(language).value(219).split(u' ').value(index);
}

struct Window : WindowFixture
{
    explicit Window(const QLocale &locale = QLocale(u"de_CH"_s)) : WindowFixture(locale) {}
    void showDocs()
    {
        window->SftTree1_ItemClick(folderItemByPath(shownList(*window), u"Docs"_s));
        // A file row current: the details panel shows its size.
        control<QTableView>(*window, "iGrid2")->setCurrentIndex(fileGrid(*window)->index(1, 0));
    }
    void search(const QString &term)
    {
        LoadSpy done(*window);
        control<QLineEdit>(*window, "TXT1")->setText(term);
        control<QPushButton>(*window, "Command3")->click();
        QVERIFY(done.wait(60000));
    }
};

} // namespace

class TestUiLangChange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(langColumn(LanguageEnglish).size() > 219,
                 qPrintable(u"cannot read %1"_s.arg(projectLangFil())));
    }

    void numbersFollowLanguage_data()
    {
        QTest::addColumn<QList<int>>("languages"); // picked from the menu in turn
        QTest::newRow("de to nl") << QList<int>{LanguageDutch};
        QTest::newRow("de to fr") << QList<int>{LanguageFrench};
        QTest::newRow("de to en") << QList<int>{LanguageEnglish};
        QTest::newRow("de to sv to pt") << QList<int>{LanguageSwedish, LanguagePortuguese};
        QTest::newRow("de to nl to de") << QList<int>{LanguageDutch, LanguageGerman};
    }
    // The Swiss German user starts in German with "12’000"; after each change
    // the tree, the grid, the counters, the totals, the details panel, the
    // match count, the legend and the filter's counts all read alike.
    void numbersFollowLanguage()
    {
        QFETCH(QList<int>, languages);
        Window f;
        QCOMPARE(currentLanguage(f.w()), int(LanguageGerman));
        control<QAction>(f.w(), "mnuShowLan")->trigger();
        f.open(f.writeList(u"big.csv"_s, bigList()));
        // The filter's status words come in from a worker.
        QTRY_VERIFY(control<QComboBox>(f.w(), "Combo1")->findText(u"OK"_s) >= 0);
        f.search(u"*.doc"_s);
        f.showDocs();
        int language = LanguageGerman;
        for (int next : languages) {
            languageMenuEntry(f.w(), next)->trigger();
            language = next;
        }
        QCOMPARE(currentLanguage(f.w()), language);

        const QLocale locale = expectedLocale(language);
        const QString count = locale.toString(qint64(FileCount));
        const QString bytes = locale.toString(qint64(FileCount) * FileSize);
        const QString total = locale.toString(1.3797, 'f', 1) + u' ' + unit(language, 3);
        const QString fileSize = locale.toString(120.5625, 'f', 1) + u' ' + unit(language, 1);
        QVERIFY(count.size() > 5); // grouped in every language

        // The tree.
        const FolderTreeModel *tree = folderTreeModel(f.w());
        const QModelIndex root = tree->indexOf(0);
        QCOMPARE(root.siblingAtColumn(FolderTreeModel::FilesColumn).data().toString(), count);
        QCOMPARE(root.siblingAtColumn(FolderTreeModel::SizeColumn).data().toString(), total);
        // The grid and the details panel.
        const FileGridModel *grid = fileGrid(f.w());
        QCOMPARE(grid->index(1, FileGridModel::SizeColumn).data().toString(),
                 locale.toString(FileSize));
        QCOMPARE(control<QLabel>(f.w(), "Label19")->text(), fileSize);
        // The counters of the open page, the list's totals, the match count.
        QCOMPARE(control<QLabel>(f.w(), "Label4")->text(), count);
        QCOMPARE(control<QLabel>(f.w(), "Label6")->text(), bytes);
        QCOMPARE(control<QLabel>(f.w(), "Label22")->text(), count);
        QCOMPARE(control<QLabel>(f.w(), "Label23")->text(), total);
        QCOMPARE(control<QLabel>(f.w(), "Label24")->text(),
                 langText(f.w(), LangEntry::MatchesWord) + u": "_s + count);
        // The legend's one status and the filter's count of it.
        const QStringList legend = recoveryLegend(f.w())->rowTexts();
        QCOMPARE(legend.size(), 1);
        QVERIFY2(legend[0].contains(u' ' + count + u' ') && legend[0].endsWith(total),
                 qPrintable(legend[0]));
        const int ok = control<QComboBox>(f.w(), "Combo1")->findText(u"OK"_s);
        QVERIFY(ok > 0);
        QCOMPARE(control<QComboBox>(f.w(), "Combo1")->itemData(ok, Qt::ToolTipRole).toString(),
                 count);
    }

    void pageAndFolderKept_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("language");
        for (int language : {LanguageDutch, LanguageEnglish, LanguageFrench}) {
            QTest::addRow("view page, to %d", language) << 1 << language;
            QTest::addRow("open page, to %d", language) << 0 << language;
        }
    }
    // A change from the menu leaves the user where they were: on the page
    // they were on, with the folder's name over the grid.
    void pageAndFolderKept()
    {
        QFETCH(int, page);
        QFETCH(int, language);
        Window f(QLocale(u"en_US"_s));
        // Start-up shows the open page.
        QCOMPARE(control<QTabWidget>(f.w(), "SSTab1")->currentIndex(), 0);
        control<QAction>(f.w(), "mnuShowLan")->trigger();
        f.open(f.writeList(u"list.csv"_s, "Data\\Docs\\a.doc,2020-01-02 03:04:05,5,32;77,OK\r\n"
                                          "Data\\Pics\\b.jpg,2020-01-02 03:04:05,5,32;77,OK\r\n"));
        f.showDocs();
        control<QTabWidget>(f.w(), "SSTab1")->setCurrentIndex(page);
        const QString header = fileGrid(f.w())->headerData(0, Qt::Horizontal).toString();
        QCOMPARE(header, u"Docs"_s);
        languageMenuEntry(f.w(), language)->trigger();
        QCOMPARE(currentLanguage(f.w()), language);
        QCOMPARE(control<QTabWidget>(f.w(), "SSTab1")->currentIndex(), page);
        QCOMPARE(fileGrid(f.w())->headerData(0, Qt::Horizontal).toString(), u"Docs"_s);
        QCOMPARE(fileGrid(f.w())->headerData(1, Qt::Horizontal).toString(),
                 langColumn(language).value(12));
        // Another folder after the change: its name, as before.
        f.w().SftTree1_ItemClick(folderItemByPath(shownList(f.w()), u"Pics"_s));
        QCOMPARE(fileGrid(f.w())->headerData(0, Qt::Horizontal).toString(), u"Pics"_s);
    }

    void menuMarksLanguage_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QList<int>>("languages");
        QTest::addColumn<int>("marked");
        QTest::newRow("start in English") << QLocale(u"en_US"_s) << QList<int>{} << 0;
        QTest::newRow("start in German") << QLocale(u"de_DE"_s) << QList<int>{} << 2;
        QTest::newRow("Dutch start: English") << QLocale(u"nl_NL"_s) << QList<int>{} << 0;
        QTest::newRow("to Dutch") << QLocale(u"en_US"_s) << QList<int>{6} << 6;
        QTest::newRow("pt, sv, fr") << QLocale(u"en_US"_s) << QList<int>{1, 4, 3} << 3;
        QTest::newRow("German twice") << QLocale(u"de_DE"_s) << QList<int>{2, 2} << 2;
    }
    void menuMarksLanguage()
    {
        QFETCH(QLocale, locale);
        QFETCH(QList<int>, languages);
        QFETCH(int, marked);
        Window f(locale);
        for (int language : languages)
            languageMenuEntry(f.w(), language)->trigger();
        int checked = 0;
        for (int language : {0, 1, 2, 3, 4, 6}) {
            QAction *entry = languageMenuEntry(f.w(), language);
            QVERIFY(entry->isCheckable());
            if (entry->isChecked()) {
                ++checked;
                QCOMPARE(language, marked);
            }
        }
        QCOMPARE(checked, 1);
        QCOMPARE(currentLanguage(f.w()), marked);
    }

    void noEnglishWordLeft_data() { addLanguageRows(); }
    // The words that were English in every language: each language's own
    // (the same words as before in English).
    void noEnglishWordLeft()
    {
        QFETCH(int, language);
        Window f(QLocale(u"en_US"_s));
        control<QAction>(f.w(), "mnuShowLan")->trigger();
        languageMenuEntry(f.w(), language)->trigger();
        const QStringList column = langColumn(language);
        const bool english = language == LanguageEnglish;
        auto check = [&](const QString &shown, const QString &englishWord, int entry) {
            QVERIFY2(!column.value(entry).isEmpty(), qPrintable(u"entry %1"_s.arg(entry)));
            QCOMPARE(shown, english ? englishWord : column.value(entry));
            if (!english && language != LanguageSwedish && language != LanguageGerman &&
                language != LanguageDutch)
                QVERIFY2(shown != englishWord, qPrintable(shown)); // "Filter" is Dutch too
        };
        check(control<QLabel>(f.w(), "Label30")->text(), u"Filter"_s, 212);
        QCOMPARE(control<QPushButton>(f.w(), "Command5")->text(),
                 english ? u"Filter"_s : column.value(213));
        QVERIFY(english || control<QPushButton>(f.w(), "Command5")->text() != u"Filter"_s);
        check(control<QComboBox>(f.w(), "Combo1")->itemText(0), u"(No Filter)"_s, 210);
        QCOMPARE(control<QComboBox>(f.w(), "Combo1")->currentText(),
                 control<QComboBox>(f.w(), "Combo1")->itemText(0));

        // The quit questions' titles.
        control<QAction>(f.w(), "mnuExit")->trigger();
        f.w().close();
        const auto questions = f.prompts.callsOf(u"question"_s);
        QCOMPARE(questions.size(), 2);
        check(questions[0].title, u"Quit?"_s, 215);
        check(questions[1].title, u"Quit"_s, 214);

        // A list: its size in the language's units, the name "Save list as..."
        // proposes, and the approval's texts.
        f.open(f.writeList(u"list.csv"_s, "Data\\Docs\\a.doc,2020-01-02 03:04:05,"
                                          "3000000000,32;77,OK\r\n"));
        // (an American user: German reads as in Germany)
        const QLocale numbers =
            language == LanguageGerman ? QLocale(u"de_DE"_s) : expectedLocale(language);
        QCOMPARE(control<QLabel>(f.w(), "Label23")->text(),
                 numbers.toString(2.8, 'f', 1) + u' ' + (english ? u"Gb"_s : unit(language, 3)));
        // A preset filter that finds nothing: the title of what it says.
        control<QComboBox>(f.w(), "Combo1")->setCurrentText(u"Gone"_s);
        f.w().Command5_Click();
        QTRY_VERIFY(!isSearching(f.w()));
        const auto warnings = f.prompts.callsOf(u"warning"_s);
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(warnings[0].title, english ? u"No matches found"_s : column.value(220));

        control<QAction>(f.w(), "mnuSaveList")->trigger();
        const auto saves = f.prompts.callsOf(u"saveFile"_s);
        QCOMPARE(saves.size(), 1);
        const QString suffix = english ? u"-selection"_s : column.value(218);
        QCOMPARE(QFileInfo(saves[0].startFolder).fileName(), u"list"_s + suffix + u".csv"_s);

        f.prompts.mailHandoffAnswer = Prompts::MailHandoff::Failed;
        f.w().lblEmail_Click();
        const auto messages = f.prompts.callsOf(u"message"_s);
        QCOMPARE(messages.size(), 1);
        check(messages[0].title, u"Unable to connect to email client."_s, 217);
        auto *dialog = f.w().findChild<ApprovalMessageDialog *>();
        QVERIFY(dialog);
        dialog->copyButton->click();
        const QString copied = f.prompts.clipboard;
        const QString to = english ? u"To:"_s : column.value(115);
        const QString subject = english ? u"Subject:"_s : column.value(116);
        QVERIFY2(copied.startsWith(to + u' '), qPrintable(copied));
        QVERIFY2(copied.contains(u'\n' + subject + u' '), qPrintable(copied));
        if (!english)
            QVERIFY2(!copied.startsWith(u"To: "_s), qPrintable(copied));
    }
};

QTEST_MAIN(TestUiLangChange)
#include "tst_ui_langchange.moc"
