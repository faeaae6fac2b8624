#pragma once

// The report's parts taken from the basket and the check, in the words of
// the language in use: the same lines whether the window writes the report
// (from what it shows) or corvane-list does (from what is kept for the list).

#include "basket/TargetDrive.h"
#include "checklist/CheckList.h"
#include "report/RecoveryReport.h"
#include "report/ReportTexts.h"

#include <functional>
#include <optional>

namespace corvane {

struct ReportWords
{
    LangTextOf text;
    std::function<QString(qint64)> count;
    std::function<QString(ByteTotal)> size;
};

// The basket's figures as its bar states them: what is chosen, the target
// (when its size is known), the room it takes there, what does not fit.
QStringList basketReportLines(qint64 chosen, const basket::RoomOnTarget &room,
                              std::optional<qint64> capacity, basket::FileSystem fileSystem,
                              const ReportWords &words);

// The check's summary and one row per entry.
ReportCheck reportCheckOf(const QStringList &entries, const QList<CheckEntryResult> &results,
                          const ReportWords &words);

// What is kept in dataFolder for the list with this SHA-256 (its basket and
// its check entries, the check run again on listPath), as the report takes
// them; none where nothing is kept.
std::optional<ReportBasket> keptBasketPart(const QString &dataFolder, const QString &sha256,
                                           const LoadedList &list, const ReportWords &words);
std::optional<ReportCheck> keptCheckPart(const QString &dataFolder, const QString &sha256,
                                         const QString &listPath, const ReportWords &words);

} // namespace corvane
