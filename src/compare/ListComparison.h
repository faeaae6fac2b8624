#pragma once

// What changed from one list (OLD) to another (NEW): a second recovery pass,
// or the final delivery. Lines are paired by path (field 0) below each list's
// top folder, so one tree listed under two top folders pairs file by file;
// paths compare exactly. A path that stands more than once in a list is
// paired in the order its lines stand in the file. A pair is a status change,
// or (same status) a size change, or unchanged; a line without a partner is
// added (NEW only) or removed (OLD only).
//
// The comparison is one merge of the two line stores in their sorted order:
// linear in the lines, with nothing kept per line beside the stores. The
// stores are sorted by their lines' bytes, which is the order of the paths
// below the top folder with the "," that ends a path as the path's last byte
// whenever every line of a list lies below one top folder and has a ",". A
// list that is not in that order (lines below several top folders, a line
// without a ",", two lists in different encodings whose bytes order their
// names differently) is found so while merging, and only that list is then
// walked through an index of its line numbers sorted by path (4 bytes a line).

#include "listfile/ListLoader.h"
#include "status/StatusClasses.h"

#include <QByteArrayView>
#include <QString>

#include <array>
#include <atomic>
#include <functional>
#include <vector>

namespace corvane {

enum class ListChange : quint8 { Added, Removed, StatusChanged, SizeChanged };

// "+", "-", "~", "s": how the command and the saved differences mark each.
QString listChangeMark(ListChange change);

// One difference in 8 bytes: the line of each list (by its index in that
// list's store), the change in the top bit of the NEW line.
class ListDifference
{
public:
    static ListDifference added(qint32 newLine) { return ListDifference(NoLine, quint32(newLine)); }
    static ListDifference removed(qint32 oldLine)
    {
        return ListDifference(quint32(oldLine), NoLine);
    }
    static ListDifference changed(qint32 oldLine, qint32 newLine, bool status)
    {
        return ListDifference(quint32(oldLine), quint32(newLine) | (status ? StatusBit : 0));
    }

    ListChange change() const
    {
        if (m_old == NoLine)
            return ListChange::Added;
        if (m_new == NoLine)
            return ListChange::Removed;
        return (m_new & StatusBit) ? ListChange::StatusChanged : ListChange::SizeChanged;
    }
    // -1 when the line is added.
    qint32 oldLine() const { return m_old == NoLine ? -1 : qint32(m_old); }
    // -1 when the line is removed.
    qint32 newLine() const { return m_new == NoLine ? -1 : qint32(m_new & ~StatusBit); }

    friend bool operator==(const ListDifference &a, const ListDifference &b)
    {
        return a.m_old == b.m_old && a.m_new == b.m_new;
    }

private:
    static constexpr quint32 NoLine = 0xFFFFFFFFu;
    static constexpr quint32 StatusBit = 0x80000000u; // line numbers stay below 2^31
    ListDifference(quint32 oldLine, quint32 newLine) : m_old(oldLine), m_new(newLine) {}
    quint32 m_old;
    quint32 m_new;
};
static_assert(sizeof(ListDifference) == 8);

struct ComparisonCounts
{
    qint64 added = 0;
    qint64 removed = 0;
    qint64 statusChanged = 0;
    qint64 sizeChanged = 0;
    qint64 unchanged = 0;
    // Among the status changes: [old class][new class] (StatusClass order).
    std::array<std::array<qint64, 4>, 4> transitions{};

    qint64 differences() const { return added + removed + statusChanged + sizeChanged; }
    qint64 became(StatusClass from, StatusClass to) const
    {
        return transitions[size_t(from)][size_t(to)];
    }
};

// The differences below one folder of NEW's tree (the folder itself and all
// its sub-folders). A removed line whose folder NEW lacks counts at the
// nearest folder NEW has on its way (at worst "Root").
struct FolderChanges
{
    int item = 0; // in NEW's SftTree1
    qint32 added = 0;
    qint32 removed = 0;
    qint32 statusChanged = 0;
    qint32 sizeChanged = 0;
    qint32 total() const { return added + removed + statusChanged + sizeChanged; }
};

struct ComparisonProgress
{
    qint64 linesDone = 0; // of both lists
    qint64 linesTotal = 0;
};

struct CompareOptions
{
    // Called from the comparing thread, at most every progressIntervalMs.
    std::function<void(const ComparisonProgress &)> progress;
    int progressIntervalMs = 40;
    // Set from another thread to give up; the result is then stopped.
    const std::atomic<bool> *stop = nullptr;
    // Count the differences by folder of NEW (ListComparison::folders).
    bool folderChanges = true;
    // Merge long lists in two halves on two threads (the result is the same).
    bool parallel = true;
};

struct ListComparison
{
    // In NEW's order of paths; a removed line stands where its path would
    // stand in NEW.
    std::vector<ListDifference> differences;
    ComparisonCounts counts;
    // Only the folders with a difference below them, by item.
    std::vector<FolderChanges> folders;
    bool stopped = false;
    // The lists that had to be walked through an index (see above).
    bool oldIndexed = false;
    bool newIndexed = false;

    // The changes below NEW's item (none: nullptr).
    const FolderChanges *changesBelow(int item) const;
};

ListComparison compareLists(const LoadedList &oldList, const LoadedList &newList,
                            const CompareOptions &options = {});

// The differences a folder of NEW's tree shows (by their index in
// comparison.differences, in its order): those of the files directly in it,
// and the removed ones it counts because NEW lacks their folder (see
// FolderChanges). Item 0 ("Root") shows those directly in the top folder.
std::vector<quint32> differencesInFolder(const ListComparison &comparison,
                                         const LoadedList &oldList, const LoadedList &newList,
                                         int item);

// Field 0 of a line with component 0 (the top folder) and its "\" cut off;
// all of field 0 when it holds no "\".
QByteArrayView pathBelowTop(QByteArrayView line);

// A difference as `corvane-list compare` writes it, without the line end:
// "+\tPATH\tSTATUS", "-\tPATH\tSTATUS", "~\tPATH\tOLD\tNEW" or
// "s\tPATH\tOLD_SIZE\tNEW_SIZE", PATH below the top folder as the list writes it.
QString differenceLine(const ListDifference &difference, const LoadedList &oldList,
                       const LoadedList &newList);

// "added: A removed: R status_changed: C size_changed: S unchanged: U".
QString comparisonSummaryLine(const ComparisonCounts &counts);

} // namespace corvane
