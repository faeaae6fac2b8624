#pragma once

// "Save differences...": the differences of a comparison written to a file,
// through the program's safe save (nothing half-written under the name).

#include "ListComparison.h"
#include "listfile/ListSaver.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace corvane {

// Which differences go into the file (none given: all).
using DifferenceFilter = std::function<bool(const ListDifference &)>;

// "added", "removed", "status changed", "size changed": the change column.
QString listChangeName(ListChange change);

// The CSV of the differences (UTF-8, CR LF): the header line
// "change,path,old status,new status,old size,new size", then one line per
// difference in the comparison's order; PATH below the top folder as the
// list writes it, the fields of a list a difference has no line in empty.
// Fields are quoted as every CSV the program writes quotes them.
QByteArray differencesCsvHeader();
void appendDifferenceCsv(QByteArray &out, const ListDifference &difference,
                         const LoadedList &oldList, const LoadedList &newList);

SaveListResult saveDifferencesCsv(const ListComparison &comparison, const LoadedList &oldList,
                                  const LoadedList &newList, const QString &outPath,
                                  const QStringList &keep = {},
                                  const DifferenceFilter &filter = {});

// The lab's own format: NEW's lines of the differences (a removed line has
// none), as "Save list as..." writes lines.
SaveListResult saveDifferencesList(const ListComparison &comparison, const LoadedList &newList,
                                   const QString &outPath, const QStringList &keep = {},
                                   const DifferenceFilter &filter = {});

} // namespace corvane
