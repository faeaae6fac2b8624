// Languages through the window: every caption from its LangText entry, the
// six menu entries, the hint and legend kept by languages without them,
// "Show Languages", and lang.fil files that are missing or broken.

#include "listfile/ListText.h"
#include "testutil_window.h"

using namespace corvane;
using namespace corvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// A lang.fil whose every field names its language and entry: "L2E17".
QByteArray taggedLangFil(int lines = 55, int columns = 7)
{
    QByteArray bytes;
    for (int i = 0; i < lines; ++i) {
        QByteArrayList fields;
        for (int c = 0; c < columns; ++c)
            fields << "L" + QByteArray::number(c) + "E" + QByteArray::number(i);
        bytes += fields.join('+') + "\r\n";
    }
    return bytes;
}

// A menu title as it reads: its mnemonic "&" gone, "&&" a plain "&".
QString withoutMnemonic(const QString &title)
{
    QString text;
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (title.at(i) == u'&' && i + 1 < title.size())
            ++i;
        text += title.at(i);
    }
    return text;
}

// Every caption LoadLanguage writes, by the entry it comes from.
QList<QPair<QString, int>> captions(const frmMain &w)
{
    QAbstractItemModel *grid = control<QTableView>(w, "iGrid2")->model();
    QAbstractItemModel *members = control<QTableView>(w, "iGrid3")->model();
    return {
        {withoutMnemonic(control<QMenu>(w, "mnuMenu")->title()), 1},
        {control<QAction>(w, "mnuOpen")->text(), 2},
        {control<QTabWidget>(w, "SSTab1")->tabText(0), 2},
        {control<QPushButton>(w, "Command2")->text(), 2},
        {control<QGroupBox>(w, "Frame2")->title(), 2},
        {control<QTabWidget>(w, "SSTab1")->tabText(1), 3},
        {control<QLabel>(w, "Label7")->text(), 4},
        {control<QLabel>(w, "Label2")->text(), 5},
        {control<QLabel>(w, "Label3")->text(), 6},
        {control<QLabel>(w, "Label5")->text(), 7},
        {control<QLabel>(w, "Label8")->text(), 8},
        {control<QGroupBox>(w, "Frame1")->title(), 9},
        {control<QTreeView>(w, "SftTree1")->model()->headerData(0, Qt::Horizontal).toString(), 10},
        {grid->headerData(0, Qt::Horizontal).toString(), 11},
        {grid->headerData(1, Qt::Horizontal).toString(), 12},
        {grid->headerData(2, Qt::Horizontal).toString(), 13},
        {grid->headerData(4, Qt::Horizontal).toString(), 14},
        {control<QGroupBox>(w, "Frame4")->title(), 15},
        {control<QLabel>(w, "Label10")->text(), 16},
        {control<QPushButton>(w, "Command3")->text(), 17},
        {control<QGroupBox>(w, "Frame6")->title(), 19},
        {control<QLabel>(w, "Label11")->text(), 20},
        {control<QLabel>(w, "Label13")->text(), 21},
        {control<QPushButton>(w, "Command4")->text(), 22},
        {control<QGroupBox>(w, "Frame8_1")->title(), 23},
        {control<QLabel>(w, "Label14")->text(), 24},
        {control<QLabel>(w, "Label15")->text(), 25},
        {control<QLabel>(w, "Label17")->text(), 27},
        {control<QLabel>(w, "Label16")->text(), 28},
        {control<QLabel>(w, "Label18")->text(), 29},
        {members->headerData(0, Qt::Horizontal).toString(), 31},
        {withoutMnemonic(control<QMenu>(w, "mnuLan")->title()), 44},
        {control<QAction>(w, "mnuReload")->text(), 47},
        {control<QAction>(w, "mnuExit")->text(), 48},
        {control<QGroupBox>(w, "Frame3")->title(), 49},
        {control<QLabel>(w, "lblEmail")->text(), 50},
    };
}

// afterStart: start-up clears the status line (entry 8) after the load.
void compareCaptions(const frmMain &w, const QStringList &column, bool afterStart = false)
{
    for (const auto &[shown, entry] : captions(w)) {
        if (afterStart && entry == 8) {
            QVERIFY(shown.isEmpty());
            continue;
        }
        QVERIFY2(shown == column.value(entry),
                 qPrintable(u"entry %1: shows \"%2\", expected \"%3\""_s.arg(entry).arg(
                     shown, column.value(entry))));
    }
    QCOMPARE(w.windowTitle(), column.value(40) + u" "_s + QStringLiteral(CORVANE_VERSION));
}

const QString englishHint = u"e.g. [*.doc; *reports*.xls;*.mdb;*.jpg]"_s;
const QString portugueseHint = u"Ex. [*.doc; *reports*.xls;*.mdb;*.jpg]"_s;

} // namespace

class TestUiLanguage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Every check below compares with the project's lang.fil.
        QVERIFY2(langColumn(LanguageEnglish).size() >= LanguageEntryCount,
                 qPrintable(u"cannot read %1"_s.arg(projectLangFil())));
    }

    void menuEntries_data()
    {
        QTest::addColumn<int>("language");
        for (int l : {0, 1, 2, 3, 4, 6})
            QTest::newRow(qPrintable(u"column %1"_s.arg(l))) << l;
    }
    // Each entry loads its column into every caption (column 5 is reached by
    // none of them).
    void menuEntries()
    {
        QFETCH(int, language);
        WindowFixture f(QLocale(u"en_US"_s), WindowFixture::Lang::Custom, taggedLangFil());
        frmMain &w = *f.window;
        control<QTabWidget>(w, "SSTab1")->setTabEnabled(1, true);
        control<QTabWidget>(w, "SSTab1")->setCurrentIndex(1);
        LanguageSpy changed(w);
        languageMenuEntry(w, language)->trigger();
        QCOMPARE(changed.size(), 1);
        QCOMPARE(currentLanguage(w), language);
        QStringList column = parseLanguageFile(taggedLangFil(), language).texts;
        // Entries the file lacks come from the built-in copy, same language.
        fillMissingEntries(column, langColumn(language));
        QCOMPARE(langTexts(w), column);
        compareCaptions(w, column);
        // A change from the menu stays on the page.
        QCOMPARE(control<QTabWidget>(w, "SSTab1")->currentIndex(), 1);
        QCOMPARE(f.prompts.boxCount(), 0);
    }

    // The same with the project's own lang.fil, one language after the other.
    void projectFile()
    {
        WindowFixture f;
        frmMain &w = *f.window;
        for (int language : {2, 1, 3, 4, 6, 0, 2}) {
            languageMenuEntry(w, language)->trigger();
            compareCaptions(w, langColumn(language));
        }
        QCOMPARE(f.prompts.boxCount(), 0);
    }

    // The pattern hint and the attribute legend follow every language change:
    // the window's own texts in English and Portuguese, the language table's
    // in the others.
    void hintAndLegend_data()
    {
        QTest::addColumn<QList<int>>("languages");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("legendStart");
        QTest::newRow("start") << QList<int>{} << englishHint << u"D=Directory"_s;
        QTest::newRow("pt") << QList<int>{1} << portugueseHint << u"D=Directoria"_s;
        QTest::newRow("pt de") << QList<int>{1, 2} << u"z. B. [*.doc; *berichte*.xls;*.mdb;*.jpg]"_s
                               << u"D=Ordner"_s;
        QTest::newRow("pt de fr sv nl")
            << QList<int>{1, 2, 3, 4, 6} << u"bijv. [*.doc; *rapporten*.xls;*.mdb;*.jpg]"_s
            << u"D=Map"_s;
        QTest::newRow("pt de en") << QList<int>{1, 2, 0} << englishHint << u"D=Directory"_s;
        QTest::newRow("de") << QList<int>{2} << u"z. B. [*.doc; *berichte*.xls;*.mdb;*.jpg]"_s
                            << u"D=Ordner"_s;
        QTest::newRow("en pt") << QList<int>{0, 1} << portugueseHint << u"D=Directoria"_s;
        QTest::newRow("sv") << QList<int>{4} << u"t.ex. [*.doc; *rapporter*.xls;*.mdb;*.jpg]"_s
                            << u"D=Mapp"_s;
        QTest::newRow("fr") << QList<int>{3} << u"ex. [*.doc; *rapports*.xls;*.mdb;*.jpg]"_s
                            << u"D=Dossier"_s;
    }
    void hintAndLegend()
    {
        QFETCH(QList<int>, languages);
        QFETCH(QString, hint);
        QFETCH(QString, legendStart);
        WindowFixture f;
        for (int l : languages)
            languageMenuEntry(*f.window, l)->trigger();
        QCOMPARE(control<QLabel>(*f.window, "Label12")->text(), hint);
        const QString legend = control<QLabel>(*f.window, "Label21")->toolTip();
        QVERIFY2(legend.startsWith(legendStart + u", "_s), qPrintable(legend));
    }

    void showLanguages()
    {
        WindowFixture f(QLocale(u"en_US"_s));
        frmMain &w = *f.window;
        QCOMPARE(control<QMenu>(w, "mnuLan")->menuAction()->isVisible(), false);
        QCOMPARE(control<QAction>(w, "mnuShowLan")->text(), langColumn(0).value(45));
        control<QAction>(w, "mnuShowLan")->trigger();
        QCOMPARE(control<QMenu>(w, "mnuLan")->menuAction()->isVisible(), true);
        QCOMPARE(control<QAction>(w, "mnuShowLan")->text(), langColumn(0).value(46));
        // Picking a language keeps the menu shown and words the entry anew.
        control<QAction>(w, "mnuGerman")->trigger();
        QCOMPARE(control<QMenu>(w, "mnuLan")->menuAction()->isVisible(), true);
        QCOMPARE(control<QAction>(w, "mnuShowLan")->text(), langColumn(2).value(46));
        control<QAction>(w, "mnuShowLan")->trigger();
        QCOMPARE(control<QMenu>(w, "mnuLan")->menuAction()->isVisible(), false);
        QCOMPARE(control<QAction>(w, "mnuShowLan")->text(), langColumn(2).value(45));
    }

    // Dutch only from the menu, and the languages menu then stays.
    void dutch()
    {
        WindowFixture f(QLocale(u"nl_NL"_s));
        frmMain &w = *f.window;
        QCOMPARE(currentLanguage(w), int(LanguageEnglish));
        QCOMPARE(control<QMenu>(w, "mnuLan")->menuAction()->isVisible(), true);
        QCOMPARE(control<QAction>(w, "mnuShowLan")->isVisible(), false);
        control<QAction>(w, "mnuNL")->trigger();
        QCOMPARE(currentLanguage(w), int(LanguageDutch));
        compareCaptions(w, langColumn(LanguageDutch));
        QCOMPARE(control<QMenu>(w, "mnuLan")->menuAction()->isVisible(), true);
    }

    // Qt's own buttons follow the language.
    void qtTranslations()
    {
        WindowFixture f;
        control<QAction>(*f.window, "mnuGerman")->trigger();
        {
            QMessageBox box(QMessageBox::Question, u"t"_s, u"t"_s,
                            QMessageBox::Yes | QMessageBox::No);
            QString yes = box.button(QMessageBox::Yes)->text();
            if (yes == u"&Yes"_s)
                QSKIP("no German catalogue of Qt installed");
            QCOMPARE(yes.remove(u'&'), u"Ja"_s);
        }
        control<QAction>(*f.window, "mnuEN")->trigger();
        QMessageBox box(QMessageBox::Question, u"t"_s, u"t"_s, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), u"&Yes"_s);
    }

    void badLanguageFile_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("lang"); // WindowFixture::Lang
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("complaint");
        QTest::addColumn<QString>("mentions"); // in the message

        const QByteArray project = readBytes(projectLangFil());
        const QList<QByteArray> lines = project.split('\n');
        auto joined = [](QList<QByteArray> ls) { return ls.join('\n'); };
        const QLocale de(u"de_DE"_s);
        const QLocale en(u"en_US"_s);
        const int custom = int(WindowFixture::Lang::Custom);

        QTest::newRow("missing: built-in copy")
            << de << int(WindowFixture::Lang::None) << QByteArray() << false << QString();
        QTest::newRow("empty") << de << custom << QByteArray() << true << u"lang.fil"_s;
        QTest::newRow("50 lines") << de << custom << joined(lines.mid(0, 50)) + "\n"
                                  << true << u"50"_s;
        QList<QByteArray> shortLine = lines;
        shortLine[7] = "Size+Tamanho\r";
        QTest::newRow("line too short for German")
            << de << custom << joined(shortLine) << true << u"line 8"_s;
        QTest::newRow("line too short, but not for Portuguese")
            << QLocale(u"pt_PT"_s) << custom << joined(shortLine) << false << QString();
        QList<QByteArray> blank = lines;
        blank[20] = "\r";
        QTest::newRow("blank line, German")
            << de << custom << joined(blank) << true << u"line 21"_s;
        QTest::newRow("blank line, English") << en << custom << joined(blank) << false << QString();
        QList<QByteArray> huge = lines;
        const QByteArray field(1024 * 1024, 'x');
        huge[4] = QByteArrayList({field, field, field, field, field, field, field}).join('+');
        QTest::newRow("1 MB field") << de << custom << joined(huge) << false << QString();
        QTest::newRow("UTF-8 with accents")
            << de << custom << decodeWindows1252(project).toUtf8() << false << QString();
        QTest::newRow("binary") << de << custom << QByteArray("\x00\x01\x02+\xff\xfe", 6) << true
                                << u"lang.fil"_s;
    }
    void badLanguageFile()
    {
        QFETCH(QLocale, locale);
        QFETCH(int, lang);
        QFETCH(QByteArray, file);
        QFETCH(bool, complaint);
        QFETCH(QString, mentions);
        WindowFixture f(locale, WindowFixture::Lang(lang), file);
        frmMain &w = *f.window;

        // One message at most, whatever went wrong.
        QCOMPARE(f.prompts.boxCount(), complaint ? 1 : 0);
        QVERIFY(langTexts(w).size() >= LanguageEntryCount);
        if (complaint) {
            const FakePrompts::Call box = f.prompts.calls.first();
            QCOMPARE(box.kind, u"warning"_s);
            QCOMPARE(box.title, u"Error"_s);
            QVERIFY2(box.text.contains(mentions), qPrintable(box.text));
            // The built-in texts, in the language asked for.
            const int asked = pickLanguage(GetInfo(locale)).language;
            QCOMPARE(currentLanguage(w), asked);
            QCOMPARE(langTexts(w), langColumn(asked));
            compareCaptions(w, langColumn(asked), true);
            QCOMPARE(box.text.startsWith(langColumn(asked).value(59).section(u'"', 0, 0)), true);
        }
        QVERIFY(control<QPushButton>(w, "Command2")->text().size() <= 400);
        QVERIFY(control<QLabel>(w, "Label7")->text().size() <= 400);
        QVERIFY(w.minimumSizeHint().width() < 2000);

        // Still usable: the menus work and a list loads.
        control<QAction>(w, "mnuShowLan")->trigger();
        const QString list = f.writeList(u"l.csv"_s, "Data\\A\\x.txt,d,5,32;x,Ok\r\n");
        QVERIFY(f.load(list));
        QCOMPARE(control<QLabel>(w, "Label22")->text(), u"1"_s);
    }

    // A lang.fil written before later entries existed: those come from the
    // built-in copy in the language chosen, not as empty texts or English.
    void laterEntriesFromBuiltInCopy_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("language");
        QTest::newRow("51 lines, German") << 51 << int(LanguageGerman);
        QTest::newRow("51 lines, Dutch") << 51 << int(LanguageDutch);
        QTest::newRow("53 lines, French") << 53 << int(LanguageFrench);
        QTest::newRow("51 lines, English") << 51 << int(LanguageEnglish);
    }
    void laterEntriesFromBuiltInCopy()
    {
        QFETCH(int, lines);
        QFETCH(int, language);
        WindowFixture f(QLocale(u"en_US"_s), WindowFixture::Lang::Custom, taggedLangFil(lines));
        frmMain &w = *f.window;
        control<QAction>(w, "mnuShowLan")->trigger();
        languageMenuEntry(w, language)->trigger();
        QCOMPARE(f.prompts.boxCount(), 0);
        const QStringList builtIn = langColumn(language);
        QVERIFY(builtIn.size() > 59);
        QCOMPARE(langTexts(w).size(), builtIn.size());
        for (int i = 1; i < builtIn.size(); ++i) {
            const QString expected = i < lines ? u"L%1E%2"_s.arg(language).arg(i) : builtIn.at(i);
            QCOMPARE(langTexts(w).at(i), expected);
        }
        QCOMPARE(control<QPushButton>(w, "LoadStopButton")->text(),
                 lines > 52 ? u"L%1E52"_s.arg(language) : builtIn.at(52));
    }

    // A broken file (a short line) in any language: the built-in copy's texts
    // in that language, and the one message in it as well.
    void brokenFileKeepsLanguage_data()
    {
        QTest::addColumn<int>("language");
        for (int l : {0, 1, 2, 3, 4, 6})
            QTest::addRow("language %d", l) << l;
    }
    void brokenFileKeepsLanguage()
    {
        QFETCH(int, language);
        QByteArray file = taggedLangFil(60);
        file.replace("L0E12+L1E12+L2E12+L3E12+L4E12+L5E12+L6E12", "L0E12");
        WindowFixture f(QLocale(u"en_US"_s), WindowFixture::Lang::Custom, file);
        frmMain &w = *f.window;
        QCOMPARE(f.prompts.boxCount(), 0); // English is in the short line
        control<QAction>(w, "mnuShowLan")->trigger();
        languageMenuEntry(w, language)->trigger();
        QCOMPARE(f.prompts.boxCount(), language == LanguageEnglish ? 0 : 1);
        if (language == LanguageEnglish)
            return;
        QCOMPARE(currentLanguage(w), language);
        compareCaptions(w, langColumn(language));
        const QString message = f.prompts.calls.last().text;
        QVERIFY2(message.startsWith(langColumn(language).value(59).section(u'"', 0, 0)),
                 qPrintable(message));
        QVERIFY2(message.contains(u"line 13"_s), qPrintable(message));
    }

    void missingFileUsesBuiltInCopy()
    {
        WindowFixture f(QLocale(u"de_DE"_s), WindowFixture::Lang::None);
        QCOMPARE(f.prompts.boxCount(), 0);
        QCOMPARE(currentLanguage(*f.window), int(LanguageGerman));
        compareCaptions(*f.window, langColumn(LanguageGerman), true);
    }

    void utf8File()
    {
        const QByteArray utf8 = decodeWindows1252(readBytes(projectLangFil())).toUtf8();
        WindowFixture f(QLocale(u"de_DE"_s), WindowFixture::Lang::Custom, utf8);
        QCOMPARE(f.prompts.boxCount(), 0);
        QCOMPARE(control<QPushButton>(*f.window, "Command2")->text(), u"Dateiliste \u00f6ffnen"_s);
    }

    // A file that serves five languages but not Dutch: picking Dutch gives one
    // message and the built-in Dutch texts; the window goes on.
    void brokenForOneLanguage()
    {
        WindowFixture f(QLocale(u"de_DE"_s), WindowFixture::Lang::Custom, taggedLangFil(55, 5));
        frmMain &w = *f.window;
        QCOMPARE(f.prompts.boxCount(), 0);
        QCOMPARE(control<QPushButton>(w, "Command2")->text(), u"L2E2"_s);
        control<QAction>(w, "mnuShowLan")->trigger();
        control<QAction>(w, "mnuNL")->trigger();
        QCOMPARE(f.prompts.boxCount(), 1);
        QCOMPARE(currentLanguage(w), int(LanguageDutch));
        compareCaptions(w, langColumn(LanguageDutch));
        control<QAction>(w, "mnuFrench")->trigger();
        QCOMPARE(f.prompts.boxCount(), 1);
        QCOMPARE(control<QPushButton>(w, "Command2")->text(), u"L3E2"_s);
    }
};

QTEST_MAIN(TestUiLanguage)
#include "tst_ui_language.moc"
