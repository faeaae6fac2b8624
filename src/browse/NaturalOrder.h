#pragma once

#include <QLocale>
#include <QStringView>

#include <vector>

namespace corvane {

// Natural order of texts, the order people expect of file names:
// case-insensitive, numbers by value (file2 before file10), in the collation
// locale (QCollator, numeric mode); ties broken ordinally. Returns the
// indexes of texts in that order.
std::vector<qsizetype> naturalOrder(const std::vector<QStringView> &texts,
                                    const QLocale &collation);

// The same order with the collator alone, for comparison in tests.
std::vector<qsizetype> naturalOrderByCollator(const std::vector<QStringView> &texts,
                                              const QLocale &collation);

} // namespace corvane
