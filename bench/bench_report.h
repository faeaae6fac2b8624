#pragma once

// The recovery report's figures of corvane-bench.

#include <QList>
#include <QString>

#include <utility>

namespace corvane::bench {

// report_gather_ms (the report's figures from a loaded list: one pass over
// its lines), report_pdf_ms (gathered and written as PDF, as "Save
// report..." does once the list's SHA-256 is known), report_html_ms,
// report_sha_ms (the SHA-256 of the list file, when the window does not know
// it yet) and sha256sum_ms (the same by sha256sum) with their ratio. Best of
// `repeat`. Empty with a reason in error when the list cannot be loaded.
QList<std::pair<QString, QString>> reportFigures(const QString &listPath, int repeat,
                                                 QString *error);

} // namespace corvane::bench
