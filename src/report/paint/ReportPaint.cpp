#include "ReportPaint.h"

#include "browse/paint/StatusColours.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

const QString ChartResource = u"corvane-status-chart.png"_s;

QList<FolderTotals::Status> statusesOf(const RecoveryReport &report)
{
    QList<FolderTotals::Status> statuses;
    for (const ReportStatusRow &row : report.statuses) {
        FolderTotals::Status s;
        switch (row.kind) {
        case ReportStatusRow::Kind::Word:
            s.kind = FolderTotals::StatusKind::Word;
            break;
        case ReportStatusRow::Kind::Unknown:
            s.kind = FolderTotals::StatusKind::Unknown;
            break;
        case ReportStatusRow::Kind::Other:
            s.kind = FolderTotals::StatusKind::Other;
            break;
        }
        s.word = row.word;
        s.rawWord = row.rawWord;
        s.lines = row.count.files;
        s.bytes = row.count.bytes;
        statuses.append(s);
    }
    return statuses;
}

} // namespace

QStringList reportStatusColours(const RecoveryReport &report)
{
    QStringList names;
    for (const QColor &c : statusColours(statusesOf(report)))
        names.append(c.name(QColor::HexRgb));
    return names;
}

QImage reportChart(const RecoveryReport &report, const ReportTexts &texts, int width, qreal dpr)
{
    const int rows = int(report.statuses.size());
    QFont font(u"sans-serif"_s);
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    const int rowHeight = metrics.height() + 8;
    const int height = std::max(1, rows) * rowHeight + 8;
    QImage image(QSize(width, height) * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    if (rows == 0)
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    const QList<QColor> colours = statusColours(statusesOf(report));
    qint64 files = 0;
    for (const ReportStatusRow &row : report.statuses)
        files += row.count.files;
    // The names on the left, at most a third of the width; the bars and
    // their shares on the right.
    int labelWidth = 0;
    for (const ReportStatusRow &row : report.statuses)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(reportStatusName(texts, row)));
    labelWidth = std::min(labelWidth + 8, width / 3);
    const QString widest = texts.locale.toString(100.0, 'f', 1) + u" %"_s;
    const int shareWidth = metrics.horizontalAdvance(widest) + 8;
    const int barSpace = std::max(10, width - labelWidth - shareWidth - 8);
    for (int i = 0; i < rows; ++i) {
        const ReportStatusRow &row = report.statuses[i];
        const int y = 4 + i * rowHeight;
        painter.setPen(Qt::black);
        painter.drawText(
            QRect(4, y, labelWidth - 8, rowHeight), Qt::AlignVCenter | Qt::AlignLeft,
            metrics.elidedText(reportStatusName(texts, row), Qt::ElideRight, labelWidth - 8));
        const double part = files > 0 ? double(row.count.files) / double(files) : 0.0;
        const int barWidth =
            std::max(row.count.files > 0 ? 1 : 0, int(std::lround(part * barSpace)));
        const QRect bar(labelWidth, y + 3, barWidth, rowHeight - 6);
        painter.fillRect(bar, colours.value(i, Qt::gray));
        painter.setPen(QColor(0x60, 0x60, 0x60));
        painter.drawRect(QRectF(bar).adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setPen(Qt::black);
        painter.drawText(QRect(labelWidth + barWidth + 6, y, shareWidth, rowHeight),
                         Qt::AlignVCenter | Qt::AlignLeft,
                         texts.locale.toString(part * 100.0, 'f', 1) + u" %"_s);
    }
    return image;
}

QPageSize reportPageSize(const QLocale &locale)
{
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

std::unique_ptr<QTextDocument> reportDocument(const RecoveryReport &report,
                                              const ReportTexts &texts, QPaintDevice *device)
{
    auto document = std::make_unique<QTextDocument>();
    // Measured with the fonts of the device it is drawn on: the columns are
    // as wide as their text there.
    if (device)
        document->documentLayout()->setPaintDevice(device);
    QFont font(u"sans-serif"_s);
    font.setPointSizeF(9.5);
    document->setDefaultFont(font);
    document->addResource(QTextDocument::ImageResource, QUrl(ChartResource),
                          reportChart(report, texts));
    document->setHtml(reportHtmlText(report, texts, ChartResource, reportStatusColours(report)));
    return document;
}

void printReport(const RecoveryReport &report, const ReportTexts &texts, QPagedPaintDevice *device)
{
    const std::unique_ptr<QTextDocument> document = reportDocument(report, texts, device);
    document->print(device);
}

SaveListResult writeReport(const RecoveryReport &report, const ReportTexts &texts,
                           ReportFormat format, const QString &path, const QStringList &keep,
                           const QPageSize &pageSize)
{
    return saveFileAs(path, keep, [&](SaveWriter &out) {
        switch (format) {
        case ReportFormat::Csv:
            return out.write(reportCsv(report, texts));
        case ReportFormat::Html: {
            // The picture inside the file: a page with no reference outside it.
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            reportChart(report, texts).save(&buffer, "PNG");
            const QString source =
                u"data:image/png;base64,"_s + QString::fromLatin1(png.toBase64());
            return out.write(reportHtml(report, texts, source, reportStatusColours(report)));
        }
        case ReportFormat::Pdf: {
            QPdfWriter writer(&out.device());
            writer.setPageSize(pageSize);
            // The page's margins are the document's own (2 cm when printed).
            writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
            writer.setResolution(300);
            writer.setTitle(texts.title + u" \u2013 "_s + report.list.fileName);
            writer.setCreator(u"Corvane"_s);
            printReport(report, texts, &writer);
            return true;
        }
        }
        return false;
    });
}

} // namespace corvane
