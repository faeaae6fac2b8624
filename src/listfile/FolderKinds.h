#pragma once

// What kinds of file came back, and how well: for any folder of the tree, its
// files and those of all folders below it, by kind (photos, mail, ...), with
// their bytes and how many of them are of each status class. Folder lines
// (the directory bit in the attributes) are no files and count nowhere.
// Gathered by the loader while it reads the lines (LoadedList::kinds); a
// value, read without locks afterwards.
//
// Each folder keeps the totals of its own files, one record per kind it
// holds, in the tree's order; the items below a folder follow it in that
// order, so a folder's roll-up sums one stretch of records.

#include "ByteScan.h"
#include "ByteTotal.h"
#include "ListText.h"
#include "status/FileKinds.h"
#include "status/StatusClasses.h"

#include <QByteArrayView>

#include <array>
#include <atomic>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

class FolderTree;

constexpr int StatusClassCount = int(StatusClass::Unknown) + 1;

// The files of one kind: how many, their bytes, how many of each class.
struct KindCount
{
    qint64 files = 0;
    ByteTotal bytes;
    std::array<qint64, StatusClassCount> classFiles{};

    qint64 filesOf(StatusClass c) const { return classFiles[size_t(c)]; }
    void add(const KindCount &other);
};

struct KindTotals
{
    std::array<KindCount, FileKindCount> kinds;

    const KindCount &operator[](FileKind kind) const { return kinds[size_t(kind)]; }
    KindCount &operator[](FileKind kind) { return kinds[size_t(kind)]; }
    // All kinds together.
    KindCount total() const;
};

class FolderKinds
{
public:
    bool isEmpty() const { return m_first.empty(); }
    bool stopped() const { return m_stopped; }

    // The files of item's folder and of all folders below it (item 0:
    // "Root", the whole list); tree is the one the kinds were gathered
    // for. An item out of range gives empty totals.
    KindTotals of(const FolderTree &tree, int item) const;
    // The folder's own files only.
    KindTotals own(int item) const;

    // The memory the records take.
    size_t memoryBytes() const;

private:
    friend class FolderKindsGatherer;
    struct Record
    {
        qint64 bytes = 0; // ByteTotal's raw value
        std::array<quint32, StatusClassCount> classFiles{};
    };
    void sumRecords(size_t from, size_t to, KindTotals *totals) const;

    std::vector<qint32> m_first;   // per item, and one past the last: its first record
    std::vector<Record> m_records; // by item, then kind
    std::vector<FileKind> m_kinds; // of each record
    bool m_stopped = false;
};

// Gathers the kinds line by line, in any order: each line's folder (a number
// from 0 that the caller gives it, 0 standing for "Root"), its file name, its
// status field and its size. The lines of one folder coming one after the
// other (as lists are written) cost one record per kind the folder holds.
class FolderKindsGatherer
{
public:
    explicit FolderKindsGatherer(ListEncoding encoding);

    // A file line of folder: word is field 4 when the line has five fields
    // or more (hasStatus), size field 2 when it could be read. word must
    // stay valid until finish().
    void add(int folder, QByteArrayView name, bool hasStatus, QByteArrayView word,
             std::optional<ByteTotal> size)
    {
        if (folder != m_folder)
            switchFolder(folder);
        const size_t kind = size_t(m_table.kindOfName(name));
        const size_t statusClass = size_t(hasStatus ? classOf(word) : StatusClass::Unknown);
        Cell &cell = m_cells[kind];
        ++cell.classFiles[statusClass];
        if (size)
            cell.bytes.tryAdd(*size);
        m_used |= 1U << kind;
    }

    // The kinds of tree, whose item itemOf[f] folder f stands for (one item
    // per folder; empty: folder f is item f). Folders beyond the tree count
    // in "Root". The gatherer is spent afterwards.
    FolderKinds finish(const FolderTree &tree, const std::vector<int> &itemOf,
                       const std::atomic<bool> *stop = nullptr);

private:
    struct Cell
    {
        ByteTotal bytes;
        std::array<quint32, StatusClassCount> classFiles{};
    };
    struct Pending
    {
        qint64 key; // folder << 8 | kind, then item << 8 | kind
        Cell cell;
    };

    // A list holds few status words, mostly: the last ones met are
    // compared first, the table of all of them asked only past those.
    StatusClass classOf(QByteArrayView word)
    {
        for (const Recent &r : m_recent) {
            if (r.word.size() == word.size() && r.word.data() &&
                sameBytes(r.word.data(), word.data(), word.size()))
                return r.statusClass;
        }
        return newWord(word);
    }
    StatusClass newWord(QByteArrayView word);
    void switchFolder(int folder);
    void flush();

    const FileKindTable &m_table;
    ListEncoding m_encoding;
    int m_folder = -1;
    unsigned m_used = 0; // kinds with a cell in this folder
    std::array<Cell, FileKindCount> m_cells{};
    std::vector<Pending> m_pending;

    struct Recent
    {
        QByteArrayView word; // no data: an empty place
        StatusClass statusClass = StatusClass::Unknown;
    };
    std::array<Recent, 8> m_recent{};
    size_t m_nextRecent = 0;
    std::unordered_map<std::string_view, StatusClass> m_classOfWord;
};

} // namespace corvane
