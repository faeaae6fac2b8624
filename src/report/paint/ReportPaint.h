#pragma once

// The recovery report's picture and its PDF: the status split drawn as a bar
// chart by the program, the report laid out on A4 or Letter pages (by the
// locale's measurement system) as a printer would get it, and the one way a
// report is written to a file in any of its formats.

#include "listfile/ListSaver.h"
#include "report/RecoveryReport.h"

#include <QColor>
#include <QImage>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <memory>

class QPagedPaintDevice;
class QPaintDevice;
class QTextDocument;

namespace corvane {

// One "#rrggbb" per status row of report, as the window's legend colours
// those statuses.
QStringList reportStatusColours(const RecoveryReport &report);

// The status split as horizontal bars, one a status row, as long as its
// share of the files; logical width `width` at the device pixel ratio dpr.
QImage reportChart(const RecoveryReport &report, const ReportTexts &texts, int width = 600,
                   qreal dpr = 2.0);

// A4, or Letter where the locale measures in inches.
QPageSize reportPageSize(const QLocale &locale);

// The report as a text document (its chart a resource of it), to print or
// to write as PDF.
// device: what it will be drawn on, to measure its text (none: the screen).
std::unique_ptr<QTextDocument> reportDocument(const RecoveryReport &report,
                                              const ReportTexts &texts,
                                              QPaintDevice *device = nullptr);
// Lays the document out on device's pages and paints them.
void printReport(const RecoveryReport &report, const ReportTexts &texts, QPagedPaintDevice *device);

// Writes the report in format to path as every save writes (nothing half
// written under path; keep names files that must not be replaced). A PDF's
// pages are pageSize.
SaveListResult writeReport(const RecoveryReport &report, const ReportTexts &texts,
                           ReportFormat format, const QString &path, const QStringList &keep,
                           const QPageSize &pageSize);

} // namespace corvane
