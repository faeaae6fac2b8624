#include "bench_report.h"

#include "BenchTiming.h"
#include "basket/ListFingerprint.h"
#include "listfile/ListLoader.h"
#include "listfile/SizeText.h"
#include "report/paint/ReportPaint.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace corvane::bench {

namespace {

ReportTexts englishTexts()
{
    ReportTexts t;
    t.title = u"Recovery report"_s;
    for (int k = 0; k < FileKindCount; ++k)
        t.kindNames[size_t(k)] = fileKindId(FileKind(k));
    for (int c = 0; c < StatusClassCount; ++c)
        t.classNames[size_t(c)] = statusClassName(StatusClass(c));
    t.otherStatuses = u"%1 other statuses"_s;
    t.moreFolders = u"%1 more folders"_s;
    t.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    t.count = [l = t.locale](qint64 n) { return formatCount(n, l); };
    t.size = [l = t.locale](ByteTotal b) { return FormatSize(b, l); };
    return t;
}

QString ms(double value)
{
    return QString::number(value, 'f', 1);
}

} // namespace

QList<std::pair<QString, QString>> reportFigures(const QString &listPath, int repeat,
                                                 QString *error)
{
    const LoadedList list = loadList(listPath);
    if (!list.error.isEmpty() || !list.fileFound) {
        *error = list.error.isEmpty() ? u"no list at "_s + listPath : list.error;
        return {};
    }
    QTemporaryDir dir;
    const ReportTexts texts = englishTexts();
    ReportListInfo info{
        QFileInfo(listPath).fileName(), {}, QDateTime::currentDateTime(), QString(64, u'0')};
    RecoveryReport report;
    const double gather = bestOf(repeat, [&] { report = gatherReport(list, info); });
    const auto written = [&](ReportFormat format, const QString &name) {
        return bestOf(repeat, [&] {
            const RecoveryReport r = gatherReport(list, info);
            writeReport(r, texts, format, dir.filePath(name), {}, QPageSize(QPageSize::A4));
        });
    };
    const double pdf = written(ReportFormat::Pdf, u"r.pdf"_s);
    const double html = written(ReportFormat::Html, u"r.html"_s);
    const double sha = bestOf(repeat, [&] { basket::listFingerprint(listPath); });
    const double sha256sum = bestOf(repeat, [&] {
        QProcess p;
        p.start(u"sha256sum"_s, {listPath});
        p.waitForFinished(-1);
    });
    return {{u"report_gather_ms"_s, ms(gather)},
            {u"report_pdf_ms"_s, ms(pdf)},
            {u"report_html_ms"_s, ms(html)},
            {u"report_pdf_bytes"_s, QString::number(QFileInfo(dir.filePath(u"r.pdf"_s)).size())},
            {u"report_sha_ms"_s, ms(sha)},
            {u"sha256sum_ms"_s, ms(sha256sum)},
            {u"report_sha_vs_sha256sum"_s, QString::number(sha / sha256sum, 'f', 2)}};
}

} // namespace corvane::bench
