// The window as it starts: language from the locale, captions, the empty
// views, the date range; quitting; the lab link; a list on the command line.

#include "app/ui/LabInfo.h"
#include "testutil_window.h"

#include <unistd.h>

using namespace corvane;
using namespace corvane::test;
using namespace Qt::Literals::StringLiterals;

class TestUiStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startLanguage_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("languageMenuShown");
        QTest::newRow("en_US") << QLocale(u"en_US"_s) << int(LanguageEnglish) << false;
        QTest::newRow("en_GB") << QLocale(u"en_GB"_s) << int(LanguageEnglish) << false;
        QTest::newRow("pt_PT") << QLocale(u"pt_PT"_s) << int(LanguagePortuguese) << false;
        QTest::newRow("pt_BR") << QLocale(u"pt_BR"_s) << int(LanguagePortuguese) << false;
        QTest::newRow("de_DE") << QLocale(u"de_DE"_s) << int(LanguageGerman) << false;
        QTest::newRow("de_AT") << QLocale(u"de_AT"_s) << int(LanguageGerman) << false;
        QTest::newRow("fr_CA") << QLocale(u"fr_CA"_s) << int(LanguageFrench) << false;
        QTest::newRow("sv_SE") << QLocale(u"sv_SE"_s) << int(LanguageSwedish) << false;
        QTest::newRow("nl_NL") << QLocale(u"nl_NL"_s) << int(LanguageEnglish) << true;
        QTest::newRow("ja_JP") << QLocale(u"ja_JP"_s) << int(LanguageEnglish) << true;
        QTest::newRow("C") << QLocale::c() << int(LanguageEnglish) << true;
    }
    void startLanguage()
    {
        QFETCH(QLocale, locale);
        QFETCH(int, language);
        QFETCH(bool, languageMenuShown);
        WindowFixture f(locale);
        frmMain &w = *f.window;
        const QStringList col = langColumn(language);
        QVERIFY(col.size() >= LanguageEntryCount);

        QCOMPARE(f.prompts.boxCount(), 0);
        QCOMPARE(currentLanguage(w), language);
        QCOMPARE(langTexts(w), col);
        QCOMPARE(control<QMenu>(w, "mnuLan")->menuAction()->isVisible(), languageMenuShown);
        QCOMPARE(control<QAction>(w, "mnuShowLan")->isVisible(), !languageMenuShown);
        // Its caption names what it does: show (45) or hide (46) the menu.
        QCOMPARE(control<QAction>(w, "mnuShowLan")->text(), col[languageMenuShown ? 46 : 45]);

        QCOMPARE(w.windowTitle(), col[40] + QStringLiteral(" " CORVANE_VERSION));
        QCOMPARE(control<QMenu>(w, "mnuMenu")->title().remove(u'&'), col[1]); // with its mnemonic
        QCOMPARE(control<QTabWidget>(w, "SSTab1")->tabText(0), col[2]);
        QCOMPARE(control<QPushButton>(w, "Command2")->text(), col[2]);
        QCOMPARE(control<QGroupBox>(w, "Frame2")->title(), col[2]);
        QCOMPARE(control<QTabWidget>(w, "SSTab1")->tabText(1), col[3]);
        QCOMPARE(control<QLabel>(w, "Label7")->text(), col[4]);
        QCOMPARE(control<QLabel>(w, "UniLabel1")->text(), col[26]);
        QCOMPARE(control<QLabel>(w, "lblEmail")->text(), col[50]);
        QCOMPARE(
            control<QTreeView>(w, "SftTree1")->model()->headerData(0, Qt::Horizontal).toString(),
            col[10]);
        QAbstractItemModel *grid = control<QTableView>(w, "iGrid2")->model();
        QCOMPARE(grid->columnCount(), 5);
        QCOMPARE(grid->headerData(0, Qt::Horizontal).toString(), col[11]);
        QCOMPARE(grid->headerData(1, Qt::Horizontal).toString(), col[12]);
        QCOMPARE(grid->headerData(2, Qt::Horizontal).toString(), col[13]);
        QCOMPARE(grid->headerData(4, Qt::Horizontal).toString(), col[14]);
        QCOMPARE(control<QTableView>(w, "iGrid3")->model()->columnCount(), 1);
        QCOMPARE(
            control<QTableView>(w, "iGrid3")->model()->headerData(0, Qt::Horizontal).toString(),
            col[31]);
    }

    void startState()
    {
        WindowFixture f;
        frmMain &w = *f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        QTabWidget *tabs = control<QTabWidget>(w, "SSTab1");
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(tabs->isTabEnabled(1), false);
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(control<QAction>(w, "mnuReload")->isEnabled(), false);
        for (const char *name : {"Label28", "Label19", "Label20", "Label21", "Label8", "Label9",
                                 "Label24", "Label22", "Label23"})
            QVERIFY2(control<QLabel>(w, name)->text().isEmpty(), name);
        for (const char *name : {"Label1", "Label4", "Label6"})
            QCOMPARE(control<QLabel>(w, name)->text(), QStringLiteral("0"));
        QCOMPARE(control<QLabel>(w, "Label26")->text(), LabInfo::serviceDescription());
        QCOMPARE(control<QLabel>(w, "lblLink")->text(), LabInfo::webAddress());
        QCOMPARE(currentFolderItem(w), -1);

        // In view on the open page: the open frame, the hint, the button and
        // the three counts; the zip frame and the lab box are hidden.
        for (const char *name :
             {"Frame2", "Frame9", "Label7", "Command2", "Label1", "Label4", "Label6"})
            QVERIFY2(control<QWidget>(w, name)->isVisible(), name);
        for (const char *name :
             {"Frame3", "ProgressBar1", "Frame7", "Image1", "Label25", "lblLink", "Command1",
              "UniTextBox1", "lblEmail", "Image2", "picIcon", "picSmall", "LoadProgressBar"})
            QVERIFY2(!control<QWidget>(w, name)->isVisibleTo(&w), name);
        // The date search can be reached: its frame, both pickers and "To".
        for (const char *name : {"Frame6", "Label13", "DTPicker2"})
            QVERIFY2(!control<QWidget>(w, name)->isHidden(), name);

        // The grids' columns.
        QTableView *files = control<QTableView>(w, "iGrid2");
        QTableView *members = control<QTableView>(w, "iGrid3");
        QCOMPARE(files->columnWidth(0), 220);
        QCOMPARE(files->columnWidth(1), 75);
        QCOMPARE(files->columnWidth(2), 75);
        QCOMPARE(files->isColumnHidden(3), true);
        QVERIFY(files->columnWidth(4) >= 170);
        QCOMPARE(members->columnWidth(0), 320);
        QCOMPARE(files->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(members->editTriggers(), QAbstractItemView::NoEditTriggers);

        // The controls are found by their names.
        for (const char *name :
             {"SSTab1",       "Frame1",    "Frame2",   "Frame3",  "Frame4",    "Frame6",
              "Frame7",       "Frame8_0",  "Frame8_1", "Frame9",  "Command2",  "Command3",
              "Command4",     "Command5",  "TXT1",     "Combo1",  "DTPicker1", "DTPicker2",
              "ProgressBar1", "SftTree1",  "iGrid2",   "iGrid3",  "lblLink",   "lblEmail",
              "Image2",       "UniLabel1", "Label30",  "mnuMenu", "mnuLan"})
            QVERIFY2(w.findChild<QWidget *>(QString::fromLatin1(name)), name);
        const QStringList menuNames = {
            u"mnuOpen"_s,  u"mnuReload"_s,  u"mnuRecent"_s, u"mnuShowLan"_s, u"mnuSaveList"_s,
            u"mnuCheck"_s, u"mnuCompare"_s, u"mnuKinds"_s,  u"mnuReport"_s,  u"mnuPrintReport"_s,
            u"mnuMap"_s,   u"mnuB1"_s,      u"mnuExit"_s};
        QStringList names;
        for (QAction *a : control<QMenu>(w, "mnuMenu")->actions())
            names << a->objectName();
        QCOMPARE(names, menuNames);
        names.clear();
        for (QAction *a : control<QMenu>(w, "mnuLan")->actions())
            names << a->objectName();
        QCOMPARE(names, QStringList({u"mnuEN"_s, u"mnuPT"_s, u"mnuGerman"_s, u"mnuFrench"_s,
                                     u"mnuSE"_s, u"mnuNL"_s}));
        QVERIFY(control<QAction>(w, "mnuB1")->isSeparator());
    }

    void dateRange_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("daysBack");
        QTest::newRow("2024") << QDate(2024, 3, 1) << 366;
        QTest::newRow("2025") << QDate(2025, 3, 1) << 365;
        QTest::newRow("2023 new year") << QDate(2023, 1, 1) << 365;
        QTest::newRow("2028 end") << QDate(2028, 12, 31) << 366;
        QTest::newRow("2100") << QDate(2100, 6, 1) << 366;
        QTest::newRow("1900") << QDate(1900, 6, 1) << 366;
    }
    void dateRange()
    {
        QFETCH(QDate, today);
        QFETCH(int, daysBack);
        WindowFixture f(QLocale(u"en_US"_s), WindowFixture::Lang::Project, {}, today);
        QCOMPARE(control<DatePicker>(*f.window, "DTPicker2")->date(), today);
        QCOMPARE(control<DatePicker>(*f.window, "DTPicker1")->date(), today.addDays(-daysBack));
    }

    void exitMenu_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void exitMenu()
    {
        QFETCH(bool, yes);
        WindowFixture f;
        f.window->show();
        f.prompts.questionAnswers = {yes, yes};
        control<QAction>(*f.window, "mnuExit")->trigger();
        // One question only: "Exit" answered Yes does not ask again on close.
        QCOMPARE(f.prompts.count(u"question"_s), 1);
        const FakePrompts::Call q = f.prompts.calls.first();
        QCOMPARE(q.title, QStringLiteral("Quit?"));
        QCOMPARE(q.text, langText(*f.window, LangEntry::QuitQuestion));
        QVERIFY(q.systemModal);
        QCOMPARE(f.window->isVisible(), !yes);
    }

    void closeBox_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void closeBox()
    {
        QFETCH(bool, yes);
        WindowFixture f;
        const QString list = f.writeList(u"a.csv"_s, "Data\\A\\f.txt,d,10,32;x,Ok\r\n");
        QVERIFY(f.load(list));
        f.window->show();
        f.prompts.clear();
        f.prompts.questionAnswers = {yes};
        QCOMPARE(f.window->close(), yes);
        QCOMPARE(f.prompts.count(u"question"_s), 1);
        QCOMPARE(f.prompts.calls.first().title, QStringLiteral("Quit"));
        QVERIFY(f.prompts.calls.first().systemModal);
        QCOMPARE(f.window->isVisible(), !yes);
        if (!yes) {
            // Everything as it was.
            QCOMPARE(shownList(*f.window).lineCount, 1);
            QCOMPARE(control<QLabel>(*f.window, "Label22")->text(), QStringLiteral("1"));
            QCOMPARE(control<QTabWidget>(*f.window, "SSTab1")->currentIndex(), 1);
        }
    }

    void labLink()
    {
        WindowFixture f;
        frmMain &w = *f.window;
        // The box about the lab is hidden in the program; shown here so that
        // the mouse reaches it.
        control<QGroupBox>(w, "Frame7")->show();
        control<QLabel>(w, "lblLink")->show();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto moveOver = [](QWidget *target) {
            QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &move);
        };
        const QColor blue(0, 0, 255);
        QVERIFY(control<QLabel>(w, "lblLink")->palette().color(QPalette::WindowText) != blue);
        for (int i = 0; i < 2; ++i) {
            moveOver(control<QLabel>(w, "lblLink"));
            QCOMPARE(control<QLabel>(w, "lblLink")->palette().color(QPalette::WindowText), blue);
            QCOMPARE(control<QLabel>(w, "lblLink")->font().underline(), true);
            QCOMPARE(control<QLabel>(w, "lblLink")->cursor().shape(), Qt::PointingHandCursor);
        }
        moveOver(control<QGroupBox>(w, "Frame7"));
        QCOMPARE(control<QLabel>(w, "lblLink")->palette().color(QPalette::WindowText),
                 QColor(Qt::black));
        QCOMPARE(control<QLabel>(w, "lblLink")->font().underline(), false);
        QCOMPARE(control<QLabel>(w, "lblLink")->testAttribute(Qt::WA_SetCursor), false);
        QCOMPARE(control<QLabel>(w, "lblLink")->font().bold(), true);

        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        control<QLabel>(w, "lblLink")->resize(200, 20);
        QCoreApplication::sendEvent(control<QLabel>(w, "lblLink"), &press);
        QCoreApplication::sendEvent(control<QLabel>(w, "lblLink"), &release);
        QCOMPARE(f.prompts.count(u"openUrl"_s), 1);
        QCOMPARE(QUrl(f.prompts.callsOf(u"openUrl"_s).first().text), QUrl(LabInfo::webAddress()));
        QCOMPARE(f.prompts.boxCount(), 0);
    }

    void commandLineList_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing") << u"missing"_s << langColumn(0).value(43);
        QTest::newRow("folder") << u"folder"_s << u"is a folder"_s;
        QTest::newRow("unreadable") << u"unreadable"_s << u"could not be read"_s;
    }
    void commandLineList()
    {
        QFETCH(QString, kind);
        WindowFixture f;
        QString path = f.dataDir.filePath(u"list.csv"_s);
        if (kind == u"folder"_s) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == u"unreadable"_s) {
            f.writeList(u"list.csv"_s, "Data\\a.txt,d,1,32;x,Ok\r\n");
            QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        }
        {
            // The file itself is what cannot be read, also when run as root.
            const AsOrdinaryUser user(f.dataDir.path(), kind == u"unreadable"_s);
            f.window->OpenListFromCommandLine(path);
        }
        QCOMPARE(isLoading(*f.window), false);
        QCOMPARE(f.prompts.boxCount(), 1);
        const FakePrompts::Call box = f.prompts.calls.first();
        QCOMPARE(box.kind, QStringLiteral("warning"));
        QCOMPARE(box.title, QStringLiteral("Error"));
        QVERIFY2(box.text.contains(QDir::toNativeSeparators(path)), qPrintable(box.text));
        QFETCH(QString, says);
        QVERIFY2(box.text.contains(says), qPrintable(box.text));
        if (kind == u"unreadable"_s)
            QVERIFY2(box.text.contains(u"ermission denied"_s), qPrintable(box.text));
        QCOMPARE(control<QTabWidget>(*f.window, "SSTab1")->isTabEnabled(1), false);
        QCOMPARE(shownList(*f.window).lineCount, 0);
        QCOMPARE(f.prompts.count(u"beep"_s), 0);
    }

    void commandLineListLoads()
    {
        WindowFixture f;
        const QString path = f.writeList(
            u"list.csv"_s, "Data\\A\\a.txt,d,1024,32;x,Ok\r\nData\\B\\b.txt,d,1,32;x,Ok\r\n");
        LoadSpy loaded(*f.window);
        f.window->OpenListFromCommandLine(path);
        QVERIFY(loaded.wait(10000));
        QCOMPARE(f.prompts.boxCount(), 0);
        QCOMPARE(currentListFile(*f.window), path);
        QCOMPARE(rootPrefix(*f.window), QStringLiteral("Data\\"));
        QCOMPARE(control<QLabel>(*f.window, "Label22")->text(), QStringLiteral("2"));
        QCOMPARE(control<QTabWidget>(*f.window, "SSTab1")->currentIndex(), 1);
    }
};

QTEST_MAIN(TestUiStartup)
#include "tst_ui_startup.moc"
