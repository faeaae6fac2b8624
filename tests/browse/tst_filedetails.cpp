#include "browse/FileDetails.h"
#include "browse/FolderListing.h"
#include "listfile/ListDate.h"
#include "testutil_lists.h"

#include <QTest>

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

class TestFileDetails : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void letters_data();
    void letters();
    void details_data();
    void details();
    void folderRows();
    void dates_data();
    void dates();
};

void TestFileDetails::letters_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("hasBits");
    QTest::addColumn<QString>("letters");
    QTest::newRow("33: RA") << u"33;ab12"_s << true << u"RA"_s;
    QTest::newRow("22: DHS") << u"22;x"_s << true << u"DHS"_s;
    QTest::newRow("0x4020: AE") << u"16416;x"_s << true << u"AE"_s;
    QTest::newRow("0: none") << u"0;x"_s << true << QString();
    QTest::newRow("every bit, table order") << u"16639;"_s << true << u"DRHSALVCE"_s;
    QTest::newRow("bits outside the table") << u"256;"_s << true << QString();
    QTest::newRow("blanks around the number") << u" 33 ;x"_s << true << u"RA"_s;
    QTest::newRow("rounded to whole") << u"33.6;x"_s << true << u"HA"_s;
    QTest::newRow("several ;") << u"16;a;b"_s << true << u"D"_s;
    QTest::newRow("not a number") << u"abc;x"_s << true << QString();
    QTest::newRow("empty number") << u";x"_s << true << QString();
    QTest::newRow("huge number") << u"99999999999999999999999;x"_s << true << QString();
    QTest::newRow("negative: all bits") << u"-1;x"_s << true << u"DRHSALVCE"_s;
    QTest::newRow("no ;: no bits") << u"32"_s << false << QString();
    QTest::newRow("empty field") << QString() << false << QString();
}

void TestFileDetails::letters()
{
    QFETCH(QString, field);
    QFETCH(bool, hasBits);
    QFETCH(QString, letters);
    const std::optional<qint64> bits = attributeBits(field);
    QCOMPARE(bits.has_value(), hasBits);
    if (bits)
        QCOMPARE(attributeLetters(*bits), letters);
}

void TestFileDetails::details_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("hasAttributes");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("modified");
    QTest::addColumn<QString>("letters");
    QTest::newRow("1,536 bytes") << u"Data\\f,1/2/2009 10:00,1536,33;x,OK"_s << true << u"1.5 Kb"_s
                                 << u"1/2/2009 10:00"_s << u"RA"_s;
    QTest::newRow("0 bytes") << u"Data\\f,d,0,32;x,OK"_s << true << u"0"_s << u"d"_s << u"A"_s;
    QTest::newRow("small size") << u"Data\\f,d,100,32;x,OK"_s << true << u"100 Bytes"_s << u"d"_s
                                << u"A"_s;
    QTest::newRow("below half a byte")
        << u"Data\\f,d,0.4,32;x,OK"_s << true << u"0"_s << u"d"_s << u"A"_s;
    QTest::newRow("negative size")
        << u"Data\\f,d,-5,32;x,OK"_s << true << u"0"_s << u"d"_s << u"A"_s;
    QTest::newRow("not a number") << u"Data\\f,d,abc,32;x,OK"_s << true << u"0"_s << u"d"_s
                                  << u"A"_s;
    // Past the fixed-point range (922,337,203,685,477 bytes) sizes still
    // read in Tb, as the largest size within it does.
    QTest::newRow("largest in range")
        << u"Data\\f,d,922337203685477,32;x,OK"_s << true << u"838.9 Tb"_s << u"d"_s << u"A"_s;
    QTest::newRow("just beyond the byte range")
        << u"Data\\f,d,922337203685478,32;x,OK"_s << true << u"838.9 Tb"_s << u"d"_s << u"A"_s;
    QTest::newRow("beyond 64 bits") << u"Data\\f,d,99999999999999999999,32;x,OK"_s << true
                                    << u"90,949,470.2 Tb"_s << u"d"_s << u"A"_s;
    QTest::newRow("1e300 bytes") << u"Data\\f,d,1e300,32;x,OK"_s << true
                                 << QLocale(QLocale::English, QLocale::UnitedStates)
                                            .toString(1e300 / std::pow(1024.0, 4), 'f', 1) +
                                        u" Tb"_s
                                 << u"d"_s << u"A"_s;
    QTest::newRow("attributes without ;: all empty")
        << u"Data\\f,d,1536,32,OK"_s << false << QString() << QString() << QString();
    QTest::newRow("line too short for attributes")
        << u"Data\\f,d,1536"_s << false << QString() << QString() << QString();
}

void TestFileDetails::details()
{
    QFETCH(QString, line);
    QFETCH(bool, hasAttributes);
    QFETCH(QString, size);
    QFETCH(QString, modified);
    QFETCH(QString, letters);
    const LoadedList list = listOf({line});
    const FolderListing listing = listingOf(list, QString());
    QCOMPARE(listing.rows.size(), size_t(1));
    const FileDetails d = fileDetails(listing.rows[0], englishLocale());
    QCOMPARE(d.hasAttributes, hasAttributes);
    QCOMPARE(d.size, size);
    QCOMPARE(d.modified, modified);
    QCOMPARE(d.attributes, letters);
}

void TestFileDetails::folderRows()
{
    const LoadedList list = listOf({u"Data\\A\\B\\f,d,1,1;,s"_s});
    const FolderListing listing = listingOf(list, u"A"_s);
    QCOMPARE(listing.rows.size(), size_t(2));
    for (const GridRow &row : listing.rows) {
        const FileDetails d = fileDetails(row, englishLocale());
        QVERIFY(!d.hasAttributes);
        QCOMPARE(d.size, QString());
        QCOMPARE(d.modified, QString());
        QCOMPARE(d.attributes, QString());
    }
}

void TestFileDetails::dates_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::newRow("US date and time")
        << u"en_US"_s << u"3/1/2010 9:05:07 PM"_s << Q_INT64_C(20100301210507);
    QTest::newRow("noon AM") << u"en_US"_s << u"3/1/2010 12:00 AM"_s << Q_INT64_C(20100301000000);
    QTest::newRow("German day first")
        << u"de_DE"_s << u"03.01.2010 21:05"_s << Q_INT64_C(20100103210500);
    QTest::newRow("British day first")
        << u"en_GB"_s << u"03/01/2010 21:05:00"_s << Q_INT64_C(20100103210500);
    QTest::newRow("ISO in any locale")
        << u"de_DE"_s << u"2010-03-01 21:05:00"_s << Q_INT64_C(20100301210500);
    QTest::newRow("two-digit year") << u"en_US"_s << u"3/1/10"_s << Q_INT64_C(20100301000000);
    QTest::newRow("no date") << u"en_US"_s << u"unknown"_s << InvalidListDate;
    QTest::newRow("month 13") << u"en_US"_s << u"13/1/2010"_s << InvalidListDate;
    QTest::newRow("empty") << u"en_US"_s << QString() << InvalidListDate;
}

void TestFileDetails::dates()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(qint64, value);
    QCOMPARE(listDateValue(text, QLocale(locale)), value);
}

QTEST_GUILESS_MAIN(TestFileDetails)
#include "tst_filedetails.moc"
