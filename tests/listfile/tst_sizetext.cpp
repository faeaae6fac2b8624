#include "listfile/ByteTotal.h"
#include "listfile/SizeText.h"

#include <QTest>

#include <limits>

using namespace Qt::Literals::StringLiterals;
using corvane::ByteTotal;

namespace {

constexpr qint64 MaxRaw = std::numeric_limits<qint64>::max();
constexpr qint64 MinRaw = std::numeric_limits<qint64>::min();

QLocale english()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

QLocale german()
{
    return QLocale(QLocale::German, QLocale::Germany);
}

ByteTotal bytes(qint64 whole)
{
    return ByteTotal::fromRaw(whole * ByteTotal::Scale);
}

} // namespace

class TestSizeText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatSize_data();
    void formatSize();
    void formatCount_data();
    void formatCount();
    void fromBytes_data();
    void fromBytes();
    void fromDouble_data();
    void fromDouble();
    void roundedBytes_data();
    void roundedBytes();
    void tryAdd_data();
    void tryAdd();
};

void TestSizeText::formatSize_data()
{
    QTest::addColumn<ByteTotal>("size");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");

    const QLocale en = english();
    QTest::newRow("0") << bytes(0) << en << u"0 Bytes"_s;
    QTest::newRow("1") << bytes(1) << en << u"1 Bytes"_s;
    QTest::newRow("1024") << bytes(1024) << en << u"1,024 Bytes"_s;
    QTest::newRow("1025") << bytes(1025) << en << u"1.0 Kb"_s;
    QTest::newRow("a fraction over 1024") << ByteTotal::fromRaw(10240001) << en << u"1.0 Kb"_s;
    QTest::newRow("1536") << bytes(1536) << en << u"1.5 Kb"_s;
    QTest::newRow("exactly 1 Mb") << bytes(1048576) << en << u"1,024.0 Kb"_s;
    QTest::newRow("1048577") << bytes(1048577) << en << u"1.0 Mb"_s;
    QTest::newRow("exactly 1 Gb") << bytes(1073741824) << en << u"1,024.0 Mb"_s;
    QTest::newRow("1049000000") << bytes(1049000000) << en << u"1,000.4 Mb"_s;
    QTest::newRow("exactly 1 Tb") << bytes(1099511627776) << en << u"1,024.0 Gb"_s;
    QTest::newRow("5e12") << bytes(5000000000000) << en << u"4.5 Tb"_s;
    QTest::newRow("largest") << ByteTotal::fromRaw(MaxRaw) << en << u"838.9 Tb"_s;
    QTest::newRow("-5") << bytes(-5) << en << u"-5 Bytes"_s;
    QTest::newRow("large negative stays in bytes")
        << bytes(-5000000000000) << en << u"-5,000,000,000,000 Bytes"_s;
    QTest::newRow("smallest") << ByteTotal::fromRaw(MinRaw) << en
                              << u"-922,337,203,685,478 Bytes"_s;
    QTest::newRow("half byte rounds up") << ByteTotal::fromRaw(5000) << en << u"1 Bytes"_s;
    QTest::newRow("under half a byte") << ByteTotal::fromRaw(4999) << en << u"0 Bytes"_s;
    QTest::newRow("german Mb") << bytes(1049000000) << german() << u"1.000,4 Mb"_s;
    QTest::newRow("german bytes") << bytes(1024) << german() << u"1.024 Bytes"_s;
    QTest::newRow("german Kb") << bytes(1536) << german() << u"1,5 Kb"_s;
    QTest::newRow("C locale still groups") << bytes(1048576) << QLocale::c() << u"1,024.0 Kb"_s;
}

void TestSizeText::formatSize()
{
    QFETCH(ByteTotal, size);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);

    QCOMPARE(corvane::FormatSize(size, locale), expected);
}

void TestSizeText::formatCount_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");

    const QLocale en = english();
    QTest::newRow("0") << qint64(0) << en << u"0"_s;
    QTest::newRow("999") << qint64(999) << en << u"999"_s;
    QTest::newRow("1000") << qint64(1000) << en << u"1,000"_s;
    QTest::newRow("negative") << qint64(-1234567) << en << u"-1,234,567"_s;
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << en
                             << u"9,223,372,036,854,775,807"_s;
    QTest::newRow("german") << qint64(1234567) << german() << u"1.234.567"_s;
    QTest::newRow("C locale still groups") << qint64(1234567) << QLocale::c() << u"1,234,567"_s;
}

void TestSizeText::formatCount()
{
    QFETCH(qint64, value);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);

    QCOMPARE(corvane::formatCount(value, locale), expected);
    if (value >= MinRaw / ByteTotal::Scale && value <= MaxRaw / ByteTotal::Scale) {
        QCOMPARE(corvane::formatCount(bytes(value), locale), expected);
    }
}

void TestSizeText::fromBytes_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<bool>("inRange");

    QTest::newRow("0") << qint64(0) << true;
    QTest::newRow("largest") << qint64(922337203685477) << true;
    QTest::newRow("past largest") << qint64(922337203685478) << false;
    QTest::newRow("smallest") << qint64(-922337203685477) << true;
    QTest::newRow("past smallest") << qint64(-922337203685478) << false;
    QTest::newRow("int64 max") << std::numeric_limits<qint64>::max() << false;
    QTest::newRow("int64 min") << std::numeric_limits<qint64>::min() << false;
}

void TestSizeText::fromBytes()
{
    QFETCH(qint64, value);
    QFETCH(bool, inRange);

    const std::optional<ByteTotal> total = ByteTotal::fromBytes(value);
    QCOMPARE(total.has_value(), inRange);
    if (inRange) {
        QCOMPARE(total->raw(), value * ByteTotal::Scale);
        QCOMPARE(total->roundedBytes(), value);
    }
}

void TestSizeText::fromDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("inRange");
    QTest::addColumn<qint64>("raw");

    QTest::newRow("0") << 0.0 << true << qint64(0);
    QTest::newRow("1.5") << 1.5 << true << qint64(15000);
    QTest::newRow("five decimals round up") << 1.23456 << true << qint64(12346);
    QTest::newRow("five decimals round down") << 1.23454 << true << qint64(12345);
    QTest::newRow("half away from zero") << 0.00025 << true << qint64(3);
    QTest::newRow("negative half away from zero") << -0.00025 << true << qint64(-3);
    QTest::newRow("large") << 9.2e14 << true << qint64(9200000000000000000);
    QTest::newRow("too large") << 9.3e14 << false << qint64(0);
    QTest::newRow("too small") << -9.3e14 << false << qint64(0);
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false << qint64(0);
    QTest::newRow("-infinity") << -std::numeric_limits<double>::infinity() << false << qint64(0);
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << qint64(0);
}

void TestSizeText::fromDouble()
{
    QFETCH(double, value);
    QFETCH(bool, inRange);
    QFETCH(qint64, raw);

    const std::optional<ByteTotal> total = ByteTotal::fromDouble(value);
    QCOMPARE(total.has_value(), inRange);
    if (inRange) {
        QCOMPARE(total->raw(), raw);
    }
}

void TestSizeText::roundedBytes_data()
{
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("under half") << qint64(4999) << qint64(0);
    QTest::newRow("half") << qint64(5000) << qint64(1);
    QTest::newRow("two and a half") << qint64(25000) << qint64(3);
    QTest::newRow("minus under half") << qint64(-4999) << qint64(0);
    QTest::newRow("minus half") << qint64(-5000) << qint64(-1);
    QTest::newRow("largest") << MaxRaw << qint64(922337203685478);
    QTest::newRow("smallest") << MinRaw << qint64(-922337203685478);
}

void TestSizeText::roundedBytes()
{
    QFETCH(qint64, raw);
    QFETCH(qint64, expected);

    QCOMPARE(ByteTotal::fromRaw(raw).roundedBytes(), expected);
}

void TestSizeText::tryAdd_data()
{
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<bool>("added");
    QTest::addColumn<qint64>("result");

    QTest::newRow("small") << qint64(10000) << qint64(25000) << true << qint64(35000);
    QTest::newRow("up to the largest") << MaxRaw - 1 << qint64(1) << true << MaxRaw;
    QTest::newRow("past the largest") << MaxRaw << qint64(1) << false << MaxRaw;
    QTest::newRow("past the smallest") << MinRaw << qint64(-1) << false << MinRaw;
    QTest::newRow("opposite extremes") << MaxRaw << MinRaw << true << qint64(-1);
}

void TestSizeText::tryAdd()
{
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(bool, added);
    QFETCH(qint64, result);

    ByteTotal total = ByteTotal::fromRaw(a);
    QCOMPARE(total.tryAdd(ByteTotal::fromRaw(b)), added);
    QCOMPARE(total.raw(), result);
}

QTEST_APPLESS_MAIN(TestSizeText)
#include "tst_sizetext.moc"
