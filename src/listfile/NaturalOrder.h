#pragma once

#include "ListText.h"

#include <QByteArrayView>
#include <QLocale>
#include <QStringView>

#include <memory>
#include <vector>

namespace corvane {

// Natural order of names, the order people expect of file names:
// case-insensitive, numbers by value (file2 before file10), in the collation
// locale (QCollator, numeric mode); ties broken ordinally by the names' UTF-16
// code units, equal names kept in the order given. Each name's collation key
// is made once: the sort compares keys, not texts.
class NaturalSorter
{
public:
    explicit NaturalSorter(const QLocale &collation);
    ~NaturalSorter();
    NaturalSorter(const NaturalSorter &) = delete;
    NaturalSorter &operator=(const NaturalSorter &) = delete;

    // The indexes of texts in natural order.
    std::vector<qsizetype> order(const std::vector<QStringView> &texts) const;
    // The same for names held as a list's bytes: a name of printable ASCII
    // bytes gets its key from the bytes, any other is decoded once.
    std::vector<qsizetype> order(const std::vector<QByteArrayView> &names,
                                 ListEncoding encoding) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// One sort with a sorter of its own.
std::vector<qsizetype> naturalOrder(const std::vector<QStringView> &texts,
                                    const QLocale &collation);

// The same order with the collator's own keys for every name, for
// comparison in tests.
std::vector<qsizetype> naturalOrderByCollator(const std::vector<QStringView> &texts,
                                              const QLocale &collation);

// What the sorts have asked for since the program started: keys made (one
// per name sorted) and texts compared by the collator itself. Counted so
// tests can hold a sort to one key a name.
struct NaturalOrderCounts
{
    qint64 keys = 0;
    qint64 collatorComparisons = 0;
};
NaturalOrderCounts naturalOrderCounts();

} // namespace corvane
