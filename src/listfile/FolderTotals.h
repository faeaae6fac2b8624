#pragma once

// How much of each folder came back: for every item of the folder tree, the
// entries and bytes below it (the folder itself and all its sub-folders),
// split by recovery status. Gathered by the loader while it reads the lines,
// once per loaded list; a value, read without locks afterwards.

#include "ByteScan.h"
#include "ByteTotal.h"
#include "ListText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <atomic>
#include <cstring>
#include <optional>
#include <vector>

namespace corvane {

class FolderTree;
class LineStore;
class FolderTotalsGatherer;

// Lines and bytes of one status of some of a list's lines.
struct StatusFigure
{
    qint64 lines = 0;
    ByteTotal bytes;
};

class FolderTotals
{
public:
    // The statuses shown by name; the rest of a list's status words are
    // gathered as one "other" status after them.
    static constexpr int NamedStatuses = 8;

    enum class StatusKind {
        Word,    // a status word as the list writes it in field 4
        Unknown, // a line with fewer than five fields
        Other    // every status word past the most frequent ones
    };
    struct Status
    {
        StatusKind kind = StatusKind::Word;
        QString word;       // the word as shown (empty for Unknown and Other)
        QByteArray rawWord; // the word's bytes as the list holds them
        qint64 lines = 0;   // in the whole list
        ByteTotal bytes;    // in the whole list
    };

    // The totals of a store and its tree taken from the store's lines. The
    // loader gathers the same while it reads (LoadedList::totals); this is
    // for a store made otherwise. Gives up (stopped() true, empty totals)
    // when stop is set.
    static FolderTotals compute(const LineStore &store, const FolderTree &tree,
                                const std::atomic<bool> *stop = nullptr);

    bool isEmpty() const { return m_folders == 0; }
    bool stopped() const { return m_stopped; }
    int folderCount() const { return m_folders; }

    // The statuses, most frequent first (ties: by word), "other" last.
    int statusCount() const { return int(m_statuses.size()); }
    const Status &status(int s) const { return m_statuses[size_t(s)]; }
    // How many different status words (and "unknown") the list holds.
    int distinctStatuses() const { return m_distinct; }

    // Entries and bytes in item's folder and below it: the sums over its
    // statuses (at most nine, added up when asked for).
    qint32 files(int item) const;
    ByteTotal bytes(int item) const;
    qint32 files(int item, int s) const { return m_statusFiles[slot(item, s)]; }
    ByteTotal bytes(int item, int s) const { return m_statusBytes[slot(item, s)]; }

    void clear();

private:
    friend class FolderTotalsGatherer;
    size_t slot(int item, int s) const { return size_t(item) * m_statuses.size() + size_t(s); }

    int m_folders = 0;
    int m_distinct = 0;
    bool m_stopped = false;
    std::vector<Status> m_statuses;
    std::vector<qint32> m_statusFiles;
    std::vector<ByteTotal> m_statusBytes;
};

// Gathers the totals line by line, in any order: each line's folder (a
// number from 0 that the caller gives it, 0 standing for "Root"), its status
// field and its size. While a list holds few status words, the counts stand
// in one row per folder with a column per word, which becomes the totals'
// own table at the end; past that, in a table of (folder, word) pairs.
class FolderTotalsGatherer
{
public:
    FolderTotalsGatherer();
    ~FolderTotalsGatherer();
    FolderTotalsGatherer(const FolderTotalsGatherer &) = delete;
    FolderTotalsGatherer &operator=(const FolderTotalsGatherer &) = delete;

    // A line of folder: word is field 4 when the line has five fields or
    // more (hasStatus), size field 2 when it could be read. word must stay
    // valid until finish().
    void add(int folder, bool hasStatus, QByteArrayView word, std::optional<ByteTotal> size)
    {
        const int id = hasStatus ? wordId(word) : unknownId();
        if (m_dense) {
            const size_t at = size_t(folder) * size_t(m_width) + size_t(id);
            if (at >= m_files.size())
                growRows(folder);
            ++m_files[at];
            if (size)
                m_bytes[at].tryAdd(*size);
        } else {
            addSparse(folder, id, size);
        }
        ++m_wordLines[size_t(id)];
    }

    // The totals of tree, whose item itemOf[f] folder f stands for (one item
    // per folder; empty: folder f is item f). Folders beyond the tree count
    // in "Root". The gatherer is spent afterwards.
    FolderTotals finish(const FolderTree &tree, const std::vector<int> &itemOf,
                        ListEncoding encoding, const std::atomic<bool> *stop = nullptr);

private:
    int wordId(QByteArrayView word)
    {
        if (m_previousId >= 0 && word.size() == m_previousWord.size() &&
            sameBytes(word.data(), m_previousWord.data(), word.size()))
            return m_previousId;
        return findWord(word);
    }
    int unknownId();
    int findWord(QByteArrayView word);
    int newId(QByteArrayView word);
    void growRows(int folder);
    void addSparse(int folder, int id, std::optional<ByteTotal> size);
    void widen();

    struct Sparse;

    // Status ids in order of first appearance; -1 until a short line is met.
    std::vector<QByteArrayView> m_words;
    std::vector<qint64> m_wordLines;
    int m_unknownId = -1;
    QByteArrayView m_previousWord;
    int m_previousId = -1;
    Sparse *m_sparse = nullptr; // the word lookup past a few words, and the pair table

    bool m_dense = true;
    int m_width = 1; // columns per row while dense
    std::vector<qint32> m_files;
    std::vector<ByteTotal> m_bytes;
};

} // namespace corvane
