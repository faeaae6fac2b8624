#include "app/ui/DatePicker.h"
#include "listfile/ListDate.h"
#include "testutil_window.h"

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

// The date search's pickers in the window: typed over whole, written in the
// user's own date order, unreadable dates shown as such and never searched
// for, and the range of the list that was opened.
class TestUiDates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void displayFormat_data();
    void displayFormat();
    void typeOver_data();
    void typeOver();
    void retypeFromTheEnd();
    void calendarAndKeys();
    void unreadableNotUsed_data();
    void unreadableNotUsed();
    void rangeFromList_data();
    void rangeFromList();
    void searchResultKeepsPickers();

private:
    static void type(DatePicker *picker, const QString &text);
};

static const QByteArray isoList = "Data\\a.doc,2009-05-12 14:33:00,1,32;AB,Recovered\r\n"
                                  "Data\\b.doc,2009-05-13 00:00:00,1,32;CD,Damaged\r\n"
                                  "Data\\c.jpg,2001-03-04 23:59:59,1,32;EF,Recovered\r\n"
                                  "Data\\d.jpg,2018-11-30 08:00:00,1,32;EF,Header OK\r\n";

// Select all, type, Enter: as a user types over the date shown.
void TestUiDates::type(DatePicker *picker, const QString &text)
{
    QLineEdit *edit = picker->findChild<QLineEdit *>();
    QVERIFY(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void TestUiDates::displayFormat_data()
{
    QTest::addColumn<QString>("locale");   // the user's
    QTest::addColumn<int>("language");     // chosen from the menu; -1: the start-up pick
    QTest::addColumn<QString>("expected"); // 9 December 2025

    QTest::newRow("en_GB") << u"en_GB"_s << -1 << u"09/12/2025"_s;
    QTest::newRow("en_US") << u"en_US"_s << -1 << u"12/9/25"_s;
    QTest::newRow("en_AU") << u"en_AU"_s << -1 << u"9/12/25"_s;
    QTest::newRow("de_DE") << u"de_DE"_s << -1 << u"09.12.25"_s;
    QTest::newRow("fr_FR") << u"fr_FR"_s << -1 << u"09/12/2025"_s;
    QTest::newRow("pt_BR keeps its own") << u"pt_BR"_s << -1 << u"09/12/2025"_s;
    QTest::newRow("sv_SE") << u"sv_SE"_s << -1 << u"2025-12-09"_s;
    // Another language than the user's: that language's own form.
    QTest::newRow("en_GB, German chosen") << u"en_GB"_s << int(LanguageGerman) << u"09.12.25"_s;
    QTest::newRow("de_DE, English chosen") << u"de_DE"_s << int(LanguageEnglish) << u"12/9/25"_s;
    QTest::newRow("pt_BR, Portuguese chosen")
        << u"pt_BR"_s << int(LanguagePortuguese) << u"09/12/2025"_s;
    QTest::newRow("nl_NL starts in English") << u"nl_NL"_s << -1 << u"12/9/25"_s;
    QTest::newRow("nl_NL, Dutch chosen") << u"nl_NL"_s << int(LanguageDutch) << u"09-12-2025"_s;
}

void TestUiDates::displayFormat()
{
    QFETCH(QString, locale);
    QFETCH(int, language);
    QFETCH(QString, expected);
    WindowFixture f{QLocale(locale)};
    frmMain &w = *f.window;
    const QDate day(2025, 12, 9);
    control<DatePicker>(w, "DTPicker1")->setDate(day);
    control<DatePicker>(w, "DTPicker2")->setDate(day);
    if (language >= 0)
        w.LoadLanguage(language);
    for (const char *name : {"DTPicker1", "DTPicker2"}) {
        DatePicker *picker = control<DatePicker>(w, name);
        QCOMPARE(picker->lineEdit()->text(), expected);
        QCOMPARE(picker->date(), day);
        QCOMPARE(picker->calendarWidget()->locale().name(), picker->locale().name());
    }
}

void TestUiDates::typeOver_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("expected");
    QTest::addColumn<QString>("shown"); // after Enter

    const QDate newYear(2019, 1, 1);
    QTest::newRow("de_DE") << u"de_DE"_s << u"01.01.2019"_s << newYear << u"01.01.19"_s;
    QTest::newRow("de_DE two-digit year")
        << u"de_DE"_s << u"01.01.19"_s << newYear << u"01.01.19"_s;
    QTest::newRow("de_DE short") << u"de_DE"_s << u"3.2.19"_s << QDate(2019, 2, 3) << u"03.02.19"_s;
    QTest::newRow("de_DE ISO") << u"de_DE"_s << u"2019-01-01"_s << newYear << u"01.01.19"_s;
    QTest::newRow("de_DE old year")
        << u"de_DE"_s << u"1.1.1601"_s << QDate(1601, 1, 1) << u"01.01.1601"_s;
    QTest::newRow("en_GB") << u"en_GB"_s << u"01/02/2019"_s << QDate(2019, 2, 1) << u"01/02/2019"_s;
    QTest::newRow("en_GB two-digit year")
        << u"en_GB"_s << u"31/12/49"_s << QDate(2049, 12, 31) << u"31/12/2049"_s;
    QTest::newRow("en_US") << u"en_US"_s << u"01/02/2019"_s << QDate(2019, 1, 2) << u"1/2/19"_s;
    QTest::newRow("en_US two-digit year")
        << u"en_US"_s << u"12/31/99"_s << QDate(1999, 12, 31) << u"12/31/99"_s;
    QTest::newRow("en_US ISO") << u"en_US"_s << u"2019-01-02"_s << QDate(2019, 1, 2) << u"1/2/19"_s;
    QTest::newRow("fr_FR") << u"fr_FR"_s << u"31/12/2019"_s << QDate(2019, 12, 31)
                           << u"31/12/2019"_s;
    QTest::newRow("fr_FR ISO") << u"fr_FR"_s << u"2019-12-31"_s << QDate(2019, 12, 31)
                               << u"31/12/2019"_s;
    QTest::newRow("pt_PT two-digit year")
        << u"pt_PT"_s << u"09/12/25"_s << QDate(2025, 12, 9) << u"09/12/25"_s;
    QTest::newRow("sv_SE") << u"sv_SE"_s << u"2019-01-01"_s << newYear << u"2019-01-01"_s;
}

// Select all and a whole date typed: that date, in the locale's form.
void TestUiDates::typeOver()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QDate, expected);
    QFETCH(QString, shown);
    WindowFixture f{QLocale(locale)};
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, isoList)); // the pickers' page is enabled
    for (const char *name : {"DTPicker1", "DTPicker2"}) {
        DatePicker *picker = control<DatePicker>(w, name);
        type(picker, typed);
        QCOMPARE(picker->date(), expected);
        QCOMPARE(picker->lineEdit()->text(), shown);
        QVERIFY(!picker->isMarkedUnreadable());
    }
    QVERIFY(control<QLabel>(w, "DateHint")->isHidden());
}

// End and Backspace take the text away from its end, all of it if need be.
void TestUiDates::retypeFromTheEnd()
{
    WindowFixture f{QLocale(u"de_DE"_s)};
    f.openFromCommandLine(f.writeList(u"list.csv"_s, isoList));
    DatePicker *picker = control<DatePicker>(*f.window, "DTPicker1");
    picker->setDate(QDate(2019, 1, 1));
    QLineEdit *edit = picker->lineEdit();
    QCOMPARE(edit->text(), u"01.01.19"_s);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, u"2017"_s);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(picker->date(), QDate(2017, 1, 1));
    QTest::keyClick(edit, Qt::Key_End);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QString());
    QTest::keyClicks(edit, u"24.12.2020"_s);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(picker->date(), QDate(2020, 12, 24));
    QCOMPARE(edit->text(), u"24.12.20"_s);
}

// The calendar still picks a day; Up and Down step a day.
void TestUiDates::calendarAndKeys()
{
    WindowFixture f{QLocale(u"en_GB"_s)};
    f.openFromCommandLine(f.writeList(u"list.csv"_s, isoList));
    f.window->show();
    DatePicker *picker = control<DatePicker>(*f.window, "DTPicker2");
    picker->setDate(QDate(2019, 3, 31));
    QTest::keyClick(picker->lineEdit(), Qt::Key_Up);
    QCOMPARE(picker->date(), QDate(2019, 4, 1));
    QTest::keyClick(picker->lineEdit(), Qt::Key_Down);
    QTest::keyClick(picker->lineEdit(), Qt::Key_Down);
    QCOMPARE(picker->date(), QDate(2019, 3, 30));
    QTest::keyClick(picker->lineEdit(), Qt::Key_Down, Qt::AltModifier);
    QCalendarWidget *calendar = picker->calendarWidget();
    QTRY_VERIFY(calendar->isVisible());
    QCOMPARE(calendar->selectedDate(), QDate(2019, 3, 30));
    QSignalSpy changed(picker, &DatePicker::dateChanged);
    calendar->setSelectedDate(QDate(2019, 3, 5));
    Q_EMIT calendar->activated(QDate(2019, 3, 5));
    QTRY_VERIFY(!calendar->isVisible());
    QCOMPARE(picker->date(), QDate(2019, 3, 5));
    QCOMPARE(picker->lineEdit()->text(), u"05/03/2019"_s);
    QCOMPARE(changed.count(), 1);
}

void TestUiDates::unreadableNotUsed_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("typed");
    QTest::newRow("German, no such month") << u"de_DE"_s << int(LanguageGerman) << u"32.13.2019"_s;
    QTest::newRow("English, day first in en_US")
        << u"en_US"_s << int(LanguageEnglish) << u"31/12/2019"_s;
    QTest::newRow("French, letters") << u"fr_FR"_s << int(LanguageFrench) << u"1er mai"_s;
    QTest::newRow("English, empty") << u"en_GB"_s << int(LanguageEnglish) << QString();
}

// A date that cannot be read is framed and explained in the user's language,
// and the date search does not run on the date shown before.
void TestUiDates::unreadableNotUsed()
{
    QFETCH(QString, locale);
    QFETCH(int, language);
    QFETCH(QString, typed);
    WindowFixture f{QLocale(locale)};
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, isoList));
    QCOMPARE(currentLanguage(w), language);
    DatePicker *from = control<DatePicker>(w, "DTPicker1");
    QLabel *dateHint = control<QLabel>(w, "DateHint");
    const QDate before = from->date();
    QVERIFY(before.isValid());

    type(from, typed);
    QVERIFY(from->isMarkedUnreadable());
    QVERIFY(!from->date().isValid());
    QVERIFY(!control<DatePicker>(w, "DTPicker2")->isMarkedUnreadable());
    QVERIFY(!dateHint->isHidden());
    const QStringList texts = langColumn(language);
    const QDate example(QDate::currentDate().year(), 12, 31);
    const QString local = typedDateText(example, from->locale());
    const QString iso = example.toString(u"yyyy-MM-dd"_s);
    const QString hint = typed.isEmpty() ? texts.value(231).arg(local, iso)
                                         : texts.value(230).arg(typed, local, iso);
    QVERIFY(!texts.value(230).isEmpty());
    QCOMPARE(from->hint(), hint);
    QCOMPARE(from->lineEdit()->toolTip(), hint);
    QCOMPARE(dateHint->text(), control<QLabel>(w, "Label11")->text() + u": "_s + hint);

    LoadSpy loaded(w);
    control<QPushButton>(w, "Command4")->click();
    QVERIFY(!isSearching(w));
    QVERIFY(!loaded.wait(300));
    QCOMPARE(shownList(w).lineCount, 4);
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    QCOMPARE(f.prompts.callsOf(u"warning"_s).first().text,
             texts.value(232) + u"\n\n"_s + dateHint->text());

    // Corrected: the frame goes at once, and the search runs again.
    QTest::keyClick(from->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(from->lineEdit(), u"2009-05-12"_s);
    QVERIFY(!from->isMarkedUnreadable());
    QVERIFY(dateHint->isHidden());
    control<QPushButton>(w, "Command4")->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(shownList(w).lineCount, 3); // 12 May 2009 to 30 November 2018
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
}

void TestUiDates::rangeFromList_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");

    QTest::newRow("ISO dates") << u"en_US"_s << isoList << QDate(2001, 3, 4) << QDate(2018, 11, 30);
    QTest::newRow("German dates, some unreadable")
        << u"de_DE"_s
        << "D\\a,21.04.18 02:10,1\r\nD\\b,05.11.00 04:51,1\r\nD\\c,31.02.01,1\r\nD\\d,?,1\r\n"_ba
        << QDate(2000, 11, 5) << QDate(2018, 4, 21);
    QTest::newRow("US order") << u"en_US"_s << "D\\a,01/02/2009,1\r\nD\\b,03/01/2009,1\r\n"_ba
                              << QDate(2009, 1, 2) << QDate(2009, 3, 1);
    // No date can be read: the start-up range (the fixture's today is 15 June 2025).
    QTest::newRow("no readable date") << u"en_US"_s << "D\\a,d,1\r\nD\\b,,1\r\nD\\c\r\n"_ba
                                      << QDate(2024, 6, 15) << QDate(2025, 6, 15);
    QTest::newRow("empty list") << u"en_US"_s << QByteArray() << QDate(2024, 6, 15)
                                << QDate(2025, 6, 15);
}

// After a list is opened the pickers hold its earliest and latest date,
// whatever an earlier list had set.
void TestUiDates::rangeFromList()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, list);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    WindowFixture f{QLocale(locale)};
    frmMain &w = *f.window;
    f.openFromCommandLine(
        f.writeList(u"first.csv"_s, "D\\x,1990-01-01,1\r\nD\\y,1991-01-01,1\r\n"));
    QCOMPARE(control<DatePicker>(w, "DTPicker1")->date(), QDate(1990, 1, 1));
    f.openFromCommandLine(f.writeList(u"list.csv"_s, list));
    QCOMPARE(control<DatePicker>(w, "DTPicker1")->date(), from);
    QCOMPARE(control<DatePicker>(w, "DTPicker2")->date(), to);
}

// A search result is not a new list: the pickers keep what the user set.
void TestUiDates::searchResultKeepsPickers()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, isoList));
    control<DatePicker>(w, "DTPicker1")->setDate(QDate(2009, 5, 1));
    control<DatePicker>(w, "DTPicker2")->setDate(QDate(2009, 5, 31));
    LoadSpy loaded(w);
    control<QPushButton>(w, "Command4")->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(shownList(w).lineCount, 2);
    QCOMPARE(control<DatePicker>(w, "DTPicker1")->date(), QDate(2009, 5, 1));
    QCOMPARE(control<DatePicker>(w, "DTPicker2")->date(), QDate(2009, 5, 31));
    control<QLineEdit>(w, "TXT1")->setText(u"jpg"_s);
    control<QPushButton>(w, "Command3")->click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(control<DatePicker>(w, "DTPicker1")->date(), QDate(2009, 5, 1));
    // Reload shows the whole list again, and its range.
    QTRY_VERIFY(!isSearching(w) && !isLoading(w));
    w.mnuReload_Click();
    QVERIFY(loaded.wait(30000));
    QCOMPARE(control<DatePicker>(w, "DTPicker1")->date(), QDate(2001, 3, 4));
    QCOMPARE(control<DatePicker>(w, "DTPicker2")->date(), QDate(2018, 11, 30));
}

QTEST_MAIN(TestUiDates)
#include "tst_ui_dates.moc"
