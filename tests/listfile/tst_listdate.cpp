#include "listfile/ListDate.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

// Dates the user types into a date field, and the form they are shown in.
class TestListDate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readTypedDate_data();
    void readTypedDate();
    void typedDateText_data();
    void typedDateText();
    void writtenReadsBack_data();
    void writtenReadsBack();
    void fieldBytes_data();
    void fieldBytes();
};

void TestListDate::readTypedDate_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected"); // invalid: cannot be read

    const QDate newYear(2019, 1, 1);
    QTest::newRow("de_DE full") << u"de_DE"_s << u"01.01.2019"_s << newYear;
    QTest::newRow("de_DE short year") << u"de_DE"_s << u"01.01.19"_s << newYear;
    QTest::newRow("de_DE no zeros") << u"de_DE"_s << u"1.2.19"_s << QDate(2019, 2, 1);
    QTest::newRow("de_DE spaces") << u"de_DE"_s << u"  1. 2. 2019 "_s << QDate(2019, 2, 1);
    QTest::newRow("en_GB day first") << u"en_GB"_s << u"01/02/2019"_s << QDate(2019, 2, 1);
    QTest::newRow("en_US month first") << u"en_US"_s << u"01/02/2019"_s << QDate(2019, 1, 2);
    QTest::newRow("en_US short year") << u"en_US"_s << u"12/9/25"_s << QDate(2025, 12, 9);
    QTest::newRow("fr_FR") << u"fr_FR"_s << u"31/12/2019"_s << QDate(2019, 12, 31);
    QTest::newRow("pt_PT short year") << u"pt_PT"_s << u"09/12/25"_s << QDate(2025, 12, 9);
    QTest::newRow("nl_NL dashes") << u"nl_NL"_s << u"09-12-2025"_s << QDate(2025, 12, 9);
    QTest::newRow("sv_SE") << u"sv_SE"_s << u"2025-12-09"_s << QDate(2025, 12, 9);
    QTest::newRow("ISO in de_DE") << u"de_DE"_s << u"2019-01-01"_s << newYear;
    QTest::newRow("ISO in en_US") << u"en_US"_s << u"2019-02-01"_s << QDate(2019, 2, 1);
    QTest::newRow("ISO in en_GB") << u"en_GB"_s << u"2019-02-01"_s << QDate(2019, 2, 1);
    QTest::newRow("ISO without zeros") << u"fr_FR"_s << u"2019-2-1"_s << QDate(2019, 2, 1);
    QTest::newRow("other separators") << u"en_US"_s << u"01.02.2019"_s << QDate(2019, 1, 2);
    QTest::newRow("49 is 2049") << u"de_DE"_s << u"31.12.49"_s << QDate(2049, 12, 31);
    QTest::newRow("50 is 1950") << u"de_DE"_s << u"01.01.50"_s << QDate(1950, 1, 1);
    QTest::newRow("four-digit old year") << u"de_DE"_s << u"01.01.1601"_s << QDate(1601, 1, 1);
    QTest::newRow("29 February") << u"en_GB"_s << u"29/02/2024"_s << QDate(2024, 2, 29);

    QTest::newRow("empty") << u"de_DE"_s << QString() << QDate();
    QTest::newRow("blank") << u"de_DE"_s << u"   "_s << QDate();
    QTest::newRow("two numbers") << u"de_DE"_s << u"01.01"_s << QDate();
    QTest::newRow("a time too") << u"de_DE"_s << u"01.01.2019 12:00"_s << QDate();
    QTest::newRow("no separators") << u"de_DE"_s << u"01012019"_s << QDate();
    QTest::newRow("three-digit year") << u"de_DE"_s << u"01.01.201"_s << QDate();
    QTest::newRow("one-digit year") << u"de_DE"_s << u"01.01.9"_s << QDate();
    QTest::newRow("three-digit day") << u"de_DE"_s << u"001.01.2019"_s << QDate();
    QTest::newRow("month name") << u"en_US"_s << u"Jan 1 2019"_s << QDate();
    QTest::newRow("letter inside") << u"de_DE"_s << u"01.0l.2019"_s << QDate();
    QTest::newRow("trailing separator") << u"de_DE"_s << u"01.01.2019."_s << QDate();
    QTest::newRow("leading separator") << u"de_DE"_s << u"-01.01.2019"_s << QDate();
    QTest::newRow("month 13") << u"en_GB"_s << u"01/13/2019"_s << QDate();
    QTest::newRow("US order in en_GB") << u"en_GB"_s << u"12/31/2019"_s << QDate();
    QTest::newRow("31 April") << u"fr_FR"_s << u"31/04/2019"_s << QDate();
    QTest::newRow("29 February 2019") << u"de_DE"_s << u"29.02.2019"_s << QDate();
    QTest::newRow("the mistyped 08.01.19") << u"de_DE"_s << u"08.01.1901.01.19"_s << QDate();
    QTest::newRow("Arabic-Indic digits") << u"de_DE"_s << u"\u0660\u0661.01.2019"_s << QDate();
}

void TestListDate::readTypedDate()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    QCOMPARE(corvane::readTypedDate(text, QLocale(locale)), expected);
}

void TestListDate::typedDateText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");

    const QDate day(2025, 12, 9);
    QTest::newRow("en_US") << u"en_US"_s << day << u"12/9/25"_s;
    QTest::newRow("en_GB") << u"en_GB"_s << day << u"09/12/2025"_s;
    QTest::newRow("de_DE") << u"de_DE"_s << day << u"09.12.25"_s;
    QTest::newRow("fr_FR") << u"fr_FR"_s << day << u"09/12/2025"_s;
    QTest::newRow("sv_SE") << u"sv_SE"_s << day << u"2025-12-09"_s;
    QTest::newRow("nl_NL") << u"nl_NL"_s << day << u"09-12-2025"_s;
    // A two-digit year that would read back as another century is written whole.
    QTest::newRow("de_DE 1601") << u"de_DE"_s << QDate(1601, 1, 1) << u"01.01.1601"_s;
    QTest::newRow("de_DE 1949") << u"de_DE"_s << QDate(1949, 12, 31) << u"31.12.1949"_s;
    QTest::newRow("de_DE 1950") << u"de_DE"_s << QDate(1950, 1, 1) << u"01.01.50"_s;
    QTest::newRow("en_US 2049") << u"en_US"_s << QDate(2049, 12, 31) << u"12/31/49"_s;
    QTest::newRow("en_US 2050") << u"en_US"_s << QDate(2050, 1, 1) << u"1/1/2050"_s;
    // A format with a month name is not typed back easily: the ISO form.
    QTest::newRow("C locale") << u"C"_s << day << u"2025-12-09"_s;
    QTest::newRow("invalid") << u"de_DE"_s << QDate() << QString();
}

void TestListDate::typedDateText()
{
    QFETCH(QString, locale);
    QFETCH(QDate, date);
    QFETCH(QString, expected);
    QCOMPARE(corvane::typedDateText(date, QLocale(locale)), expected);
}

void TestListDate::writtenReadsBack_data()
{
    QTest::addColumn<QString>("locale");
    for (const QString &name : {u"en_US"_s, u"en_GB"_s, u"de_DE"_s, u"fr_FR"_s, u"pt_PT"_s,
                                u"sv_SE"_s, u"nl_NL"_s, u"en_AU"_s, u"nl_BE"_s, u"C"_s})
        QTest::newRow(qPrintable(name)) << name;
}

void TestListDate::writtenReadsBack()
{
    QFETCH(QString, locale);
    const QLocale l(locale);
    for (const QDate day : {QDate(1601, 1, 1), QDate(1949, 12, 31), QDate(1950, 1, 1),
                            QDate(1999, 2, 28), QDate(2000, 2, 29), QDate(2025, 1, 12),
                            QDate(2049, 12, 31), QDate(2050, 1, 1), QDate(9999, 12, 31)}) {
        const QString text = corvane::typedDateText(day, l);
        QCOMPARE(corvane::readTypedDate(text, l), day);
    }
}

void TestListDate::fieldBytes_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<qint64>("value");
    QTest::newRow("ISO") << "2009-05-12 14:33:00"_ba << Q_INT64_C(20090512143300);
    QTest::newRow("locale order") << "12.05.2009 14:33"_ba << Q_INT64_C(20090512143300);
    QTest::newRow("PM") << "12.05.2009 2:33 PM"_ba << Q_INT64_C(20090512143300);
    QTest::newRow("non-ASCII separator") << "12\xb7"
                                            "05\xb7"
                                            "2009"_ba
                                         << Q_INT64_C(20090512000000);
    QTest::newRow("no date") << "d"_ba << InvalidListDate;
    // The shape most lines hold, and texts of its length that only look like it.
    QTest::newRow("ISO, other separators") << "2009/05/12T14.33.07"_ba << Q_INT64_C(20090512143307);
    QTest::newRow("ISO, a leap second") << "2016-12-31 23:59:60"_ba << Q_INT64_C(20161231235960);
    QTest::newRow("ISO, year 0") << "0000-05-12 14:33:00"_ba << InvalidListDate;
    QTest::newRow("ISO, no such day") << "2009-02-29 14:33:00"_ba << InvalidListDate;
    QTest::newRow("ISO, 29 February") << "2008-02-29 14:33:00"_ba << Q_INT64_C(20080229143300);
    QTest::newRow("ISO, hour 24") << "2009-05-12 24:00:00"_ba << InvalidListDate;
    QTest::newRow("ISO, minute 60") << "2009-05-12 14:60:00"_ba << InvalidListDate;
    QTest::newRow("ISO, month 13") << "2009-13-12 14:33:00"_ba << InvalidListDate;
    QTest::newRow("ISO length, PM after it")
        << "2009-05-12 02:33 PM"_ba << Q_INT64_C(20090512143300);
    QTest::newRow("ISO length, letter separator")
        << "2009-05-12 02p33a07"_ba << Q_INT64_C(20090512023307);
    QTest::newRow("ISO length, digit separator")
        << "2009-05-1201:33:07"_ba + "9"_ba << InvalidListDate;
    QTest::newRow("ISO length, day first") << "12.05.2009 14:33:07"_ba << Q_INT64_C(20090512143307);
    QTest::newRow("ISO length, a space for a digit")
        << "2009-05-12 1 :33:07"_ba << Q_INT64_C(20090512013307);
    QTest::newRow("longer than 64 bytes")
        << QByteArray(70, ' ') + "2009-05-12"_ba << Q_INT64_C(20090512000000);
}

// A date field read from the line's bytes reads as its decoded text does.
void TestListDate::fieldBytes()
{
    QFETCH(QByteArray, field);
    QFETCH(qint64, value);
    const ListDateReader reader{QLocale(u"de_DE"_s)};
    QCOMPARE(reader.value(field, ListEncoding::Windows1252), value);
    QCOMPARE(reader.value(decodeWindows1252(field)), value);
}

QTEST_GUILESS_MAIN(TestListDate)
#include "tst_listdate.moc"
