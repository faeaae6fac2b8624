#include "ReportParts.h"

#include "basket/Basket.h"
#include "basket/BasketFile.h"
#include "checklist/CheckEntriesFile.h"
#include "listfile/ListLoader.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// Without a size, the cluster is a 1 TB drive's, and a new external drive
// comes formatted exFAT (as the window takes them).
constexpr qint64 OneTerabyte = 1'000'000'000'000;

} // namespace

QStringList basketReportLines(qint64 chosen, const basket::RoomOnTarget &room,
                              std::optional<qint64> capacity, basket::FileSystem fileSystem,
                              const ReportWords &words)
{
    if (chosen <= 0)
        return {};
    const auto size = [&](qint64 bytes) {
        return words.size(ByteTotal::fromBytes(bytes).value_or(ByteTotal()));
    };
    const auto text = words.text;
    QStringList lines;
    lines.append(text(LangEntry::BasketChosen)
                     .arg(words.count(chosen), size(room.bytes()), size(room.largest())));
    if (capacity) {
        lines.append(text(LangEntry::BasketTarget) + u' ' + size(*capacity) + u", "_s +
                     basket::fileSystemName(fileSystem));
        lines.append(text(LangEntry::BasketOnDrive).arg(size(room.onDisk()), size(*capacity)));
        if (!room.fits())
            lines.append(text(LangEntry::BasketNoFit).arg(size(room.moreNeeded())));
    } else {
        lines.append(text(LangEntry::BasketOnDriveNoTarget).arg(size(room.onDisk())));
    }
    if (room.tooBigForFileSystem() > 0)
        lines.append(
            text(LangEntry::BasketTooBig)
                .arg(words.count(room.tooBigForFileSystem()), basket::fileSystemName(fileSystem)));
    if (room.pathsTooLong() > 0)
        lines.append(text(LangEntry::BasketLongPaths).arg(words.count(room.pathsTooLong())));
    return lines;
}

ReportCheck reportCheckOf(const QStringList &entries, const QList<CheckEntryResult> &results,
                          const ReportWords &words)
{
    const CheckSummary s = summarizeCheck(results);
    const auto n = words.count;
    ReportCheck check;
    check.summary =
        words.text(LangEntry::CheckSummary)
            .arg(n(s.entries), n(s.recovered), n(s.partial), n(s.damaged), n(s.missing));
    const std::array<LangEntry, 4> verdicts = {LangEntry::CheckRecovered, LangEntry::CheckPartial,
                                               LangEntry::CheckDamaged, LangEntry::CheckMissing};
    for (qsizetype i = 0; i < results.size(); ++i) {
        const CheckEntryResult &r = results[i];
        check.rows.append({entries.value(i), words.text(verdicts[size_t(r.verdict)]), r.matches,
                           r.bestPath, r.bestStatus});
    }
    return check;
}

std::optional<ReportBasket> keptBasketPart(const QString &dataFolder, const QString &sha256,
                                           const LoadedList &list, const ReportWords &words)
{
    const basket::BasketLoadResult kept =
        basket::loadBasket(dataFolder, sha256, list.iGrid1.count());
    if (!kept.stored || kept.stored->basket.count() == 0)
        return std::nullopt;
    const basket::BasketSettings &settings = kept.stored->settings;
    const std::optional<qint64> capacity = basket::parseCapacity(settings.capacityText);
    const basket::FileSystem fs =
        basket::parseFileSystem(settings.fileSystem).value_or(basket::FileSystem::ExFat);
    const basket::RoomOnTarget room =
        basket::measure(list, kept.stored->basket, fs, capacity.value_or(OneTerabyte),
                        list.rootPrefixAfter(QString()).size());
    return ReportBasket{basketReportLines(kept.stored->basket.count(), room, capacity, fs, words)};
}

std::optional<ReportCheck> keptCheckPart(const QString &dataFolder, const QString &sha256,
                                         const QString &listPath, const ReportWords &words)
{
    const CheckEntriesRead kept = loadCheckEntries(dataFolder, sha256);
    if (kept.problem != StateFileProblem::None || kept.damaged || kept.entries.isEmpty())
        return std::nullopt;
    const CheckOutcome outcome = checkList(listPath, kept.entries);
    if (!outcome.complete())
        return std::nullopt;
    return reportCheckOf(kept.entries, outcome.results, words);
}

} // namespace corvane
