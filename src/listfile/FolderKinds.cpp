#include "FolderKinds.h"

#include "FolderTree.h"

#include <algorithm>

namespace corvane {

void KindCount::add(const KindCount &other)
{
    files += other.files;
    bytes.tryAdd(other.bytes);
    for (size_t c = 0; c < classFiles.size(); ++c)
        classFiles[c] += other.classFiles[c];
}

KindCount KindTotals::total() const
{
    KindCount all;
    for (const KindCount &k : kinds)
        all.add(k);
    return all;
}

void FolderKinds::sumRecords(size_t from, size_t to, KindTotals *totals) const
{
    for (size_t r = from; r < to; ++r) {
        KindCount &k = totals->kinds[size_t(m_kinds[r])];
        const Record &rec = m_records[r];
        k.bytes.tryAdd(ByteTotal::fromRaw(rec.bytes));
        for (size_t c = 0; c < size_t(StatusClassCount); ++c) {
            k.classFiles[c] += rec.classFiles[c];
            k.files += rec.classFiles[c];
        }
    }
}

KindTotals FolderKinds::of(const FolderTree &tree, int item) const
{
    KindTotals totals;
    if (item < 0 || size_t(item) + 1 >= m_first.size() || item >= tree.count())
        return totals;
    // The items below a folder follow it: they end after its last child's
    // last child's ... last child.
    int last = item;
    while (tree.item(last).childCount > 0)
        last = tree.child(last, tree.item(last).childCount - 1);
    const size_t end = std::min(size_t(last) + 1, m_first.size() - 1);
    sumRecords(size_t(m_first[size_t(item)]), size_t(m_first[end]), &totals);
    return totals;
}

KindTotals FolderKinds::own(int item) const
{
    KindTotals totals;
    if (item < 0 || size_t(item) + 1 >= m_first.size())
        return totals;
    sumRecords(size_t(m_first[size_t(item)]), size_t(m_first[size_t(item) + 1]), &totals);
    return totals;
}

size_t FolderKinds::memoryBytes() const
{
    return m_first.capacity() * sizeof(qint32) + m_records.capacity() * sizeof(Record) +
           m_kinds.capacity() * sizeof(FileKind);
}

FolderKindsGatherer::FolderKindsGatherer(ListEncoding encoding)
    : m_table(fileKindTable()), m_encoding(encoding)
{}

StatusClass FolderKindsGatherer::newWord(QByteArrayView word)
{
    const std::string_view key(word.data(), size_t(word.size()));
    auto found = m_classOfWord.find(key);
    if (found == m_classOfWord.end()) {
        // Each distinct word is decoded and classified once.
        const StatusClass c = classifyStatus(decodeListText(word, m_encoding));
        found = m_classOfWord.emplace(key, c).first;
    }
    // An empty word has a place too: its view may have no data.
    m_recent[m_nextRecent] = {word.data() ? word : QByteArrayView("", 0), found->second};
    m_nextRecent = (m_nextRecent + 1) % m_recent.size();
    return found->second;
}

void FolderKindsGatherer::flush()
{
    for (unsigned used = m_used; used; used &= used - 1) {
        const int kind = __builtin_ctz(used);
        m_pending.push_back({qint64(m_folder) << 8 | kind, m_cells[size_t(kind)]});
        m_cells[size_t(kind)] = Cell();
    }
    m_used = 0;
}

void FolderKindsGatherer::switchFolder(int folder)
{
    flush();
    m_folder = folder;
}

FolderKinds FolderKindsGatherer::finish(const FolderTree &tree, const std::vector<int> &itemOf,
                                        const std::atomic<bool> *stop)
{
    flush();
    FolderKinds out;
    const int items = tree.count();
    if (items == 0)
        return out;
    for (Pending &p : m_pending) {
        const size_t folder = size_t(p.key >> 8);
        int item = itemOf.empty() ? int(folder) : (folder < itemOf.size() ? itemOf[folder] : 0);
        if (item < 0 || item >= items)
            item = 0;
        p.key = qint64(item) << 8 | (p.key & 0xFF);
    }
    if (stop && stop->load()) {
        out.m_stopped = true;
        return out;
    }

    // The cells by item (a counting sort: the items are known), then one
    // record per (item, kind): a folder whose lines came in several
    // stretches has several cells to add up.
    std::vector<qint32> start(size_t(items) + 1, 0);
    for (const Pending &p : m_pending)
        ++start[size_t(p.key >> 8) + 1];
    for (size_t i = 1; i < start.size(); ++i)
        start[i] += start[i - 1];
    std::vector<qint32> order(m_pending.size());
    {
        std::vector<qint32> next(start.begin(), start.end() - 1);
        for (size_t i = 0; i < m_pending.size(); ++i)
            order[size_t(next[size_t(m_pending[i].key >> 8)]++)] = qint32(i);
    }
    if (stop && stop->load()) {
        out.m_stopped = true;
        return out;
    }
    out.m_records.reserve(m_pending.size());
    out.m_kinds.reserve(m_pending.size());
    out.m_first.assign(size_t(items) + 1, 0);
    std::array<FolderKinds::Record, FileKindCount> sum{};
    for (size_t item = 0; item < size_t(items); ++item) {
        unsigned used = 0;
        for (qint32 o = start[item]; o < start[item + 1]; ++o) {
            const Pending &p = m_pending[size_t(order[size_t(o)])];
            const size_t kind = size_t(p.key & 0xFF);
            FolderKinds::Record &rec = sum[kind];
            ByteTotal bytes = ByteTotal::fromRaw(rec.bytes);
            bytes.tryAdd(p.cell.bytes);
            rec.bytes = bytes.raw();
            for (size_t c = 0; c < size_t(StatusClassCount); ++c)
                rec.classFiles[c] += p.cell.classFiles[c];
            used |= 1U << kind;
        }
        for (; used; used &= used - 1) {
            const int kind = __builtin_ctz(used);
            out.m_records.push_back(sum[size_t(kind)]);
            out.m_kinds.push_back(FileKind(kind));
            sum[size_t(kind)] = FolderKinds::Record();
        }
        out.m_first[item + 1] = qint32(out.m_records.size());
    }
    out.m_records.shrink_to_fit();
    out.m_kinds.shrink_to_fit();
    std::vector<Pending>().swap(m_pending);
    return out;
}

} // namespace corvane
