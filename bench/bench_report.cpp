#include "bench_report.h"

#include "BenchTiming.h"
#include "app/language/LanguageTable.h"
#include "basket/ListFingerprint.h"
#include "listfile/ListLoader.h"
#include "report/ReportTexts.h"
#include "report/paint/ReportPaint.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace corvane::bench {

namespace {

// The English words of the table built into the program.
ReportTexts englishTexts()
{
    initLanguageResources();
    const QStringList words = loadLanguageFile(u":/corvane/lang.fil"_s, LanguageEnglish).texts;
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    return reportTexts([&words](LangEntry entry) { return words.value(int(entry)); }, english,
                       SizeUnits(), u"en"_s);
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
