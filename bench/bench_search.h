#pragma once

// The search figures of corvane-bench: the three searches over the list
// being measured, each writing the result file, against grep on the same
// file in the same run.

#include <QList>
#include <QString>

#include <utility>

namespace corvane::bench {

// search_ms, search_multi_ms, search_all_ms, search_nonplain_ms,
// search_total_ms, filter_ms, dates_ms, the grep times and the ratios; the
// best of `repeat` runs each. Empty with a reason in error on a failure.
QList<std::pair<QString, QString>> searchFigures(const QString &listPath, int repeat,
                                                 QString *error);

} // namespace corvane::bench
