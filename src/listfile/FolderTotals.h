#pragma once

// How much of each folder came back: for every item of the folder tree, the
// entries and bytes below it (the folder itself and all its sub-folders),
// split by recovery status. Computed once per loaded list from its line store
// and folder tree; a value, read without locks afterwards.

#include "ByteTotal.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <vector>

namespace corvane {

class FolderTree;
class LineStore;

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

    // One pass over the lines, one bottom-up pass over the folders. The tree
    // must be the one loaded with store. Gives up (stopped() true, empty
    // totals) when stop is set.
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

    // Entries and bytes in item's folder and below it.
    qint32 files(int item) const { return m_files[size_t(item)]; }
    ByteTotal bytes(int item) const { return m_bytes[size_t(item)]; }
    qint32 files(int item, int s) const { return m_statusFiles[slot(item, s)]; }
    ByteTotal bytes(int item, int s) const { return m_statusBytes[slot(item, s)]; }

    void clear();

private:
    static FolderTotals computeTotals(const LineStore &store, const FolderTree &tree,
                                      const std::atomic<bool> *stop);
    size_t slot(int item, int s) const { return size_t(item) * m_statuses.size() + size_t(s); }

    int m_folders = 0;
    int m_distinct = 0;
    bool m_stopped = false;
    std::vector<Status> m_statuses;
    std::vector<qint32> m_files;
    std::vector<ByteTotal> m_bytes;
    std::vector<qint32> m_statusFiles;
    std::vector<ByteTotal> m_statusBytes;
};

} // namespace corvane
