#pragma once

// Memory figures of corvane-bench for hostile shapes of a list: one line of
// 300 MB without any "\", and one line of 200,000 path components.

#include <QList>
#include <QString>

#include <functional>
#include <utility>

namespace corvane::bench {

// measure(path, error) gives a load's peak in KiB (the load-only child), or
// -1 with a reason. Returns peak_rss_longline_mb and peak_rss_deep_mb; empty
// with a reason in error when a file could not be written or measured.
QList<std::pair<QString, QString>>
hostileFigures(const std::function<qint64(const QString &, QString *)> &measure, QString *error);

} // namespace corvane::bench
