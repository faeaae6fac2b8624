#include "FolderTree.h"

#include "ByteScan.h"
#include "NaturalOrder.h"
#include "util/cStringBuilder.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <new>
#include <sys/mman.h>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

// ---- FolderTree -------------------------------------------------------------

int FolderTree::findChild(int parentIndex, QStringView name) const
{
    // A folder of a million sub-folders is searched by bytes: the name in
    // the list's encoding against each child's bytes, nothing decoded. A
    // child whose bytes are ASCII reads as exactly those characters, so only
    // the others are decoded (a UTF-8 list may hold a name in Windows-1252
    // bytes that reads the same), and only when the bytes were not found.
    const Item &p = m_items[size_t(parentIndex)];
    bool encoded = false;
    const QByteArray bytes = encodeListText(name, m_encoding, &encoded);
    if (encoded) {
        for (int r = 0; r < p.childCount; ++r) {
            const int c = m_children[size_t(p.firstChild + r)];
            if (sameBytes(rawName(c), bytes) && text(c) == name)
                return c;
        }
    }
    const bool asciiName =
        std::all_of(name.begin(), name.end(), [](QChar ch) { return ch.unicode() < 0x80; });
    if (asciiName)
        return -1;
    for (int r = 0; r < p.childCount; ++r) {
        const int c = m_children[size_t(p.firstChild + r)];
        const QByteArrayView raw = rawName(c);
        const bool asciiBytes =
            std::all_of(raw.begin(), raw.end(), [](char b) { return uchar(b) < 0x80; });
        if (!asciiBytes && text(c) == name)
            return c;
    }
    return -1;
}

QString FolderTree::text(int index) const
{
    if (index == 0)
        return u"Root"_s;
    return decodeListText(rawName(index), m_encoding);
}

QByteArray FolderTree::keyBelowRoot(int index) const
{
    std::vector<int> chain;
    for (int i = index; i > 0; i = m_items[size_t(i)].parent)
        chain.push_back(i);
    QByteArray key;
    qsizetype size = 0;
    for (int i : chain)
        size += m_items[size_t(i)].nameLength + 1;
    key.reserve(size);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        key.append(rawName(*it));
        key.append('\\');
    }
    return key;
}

QStringList FolderTree::namesBelowRoot(int index) const
{
    QStringList names;
    for (int i = index; i > 0; i = m_items[size_t(i)].parent)
        names.prepend(text(i));
    return names;
}

int FolderTree::findPath(const QStringList &names) const
{
    if (m_items.empty())
        return -1;
    int at = 0;
    for (const QString &name : names) {
        at = findChild(at, name);
        if (at < 0)
            return -1;
    }
    return at;
}

QStringList FolderTree::printable() const
{
    QStringList lines;
    lines.reserve(qsizetype(m_items.size()));
    for (int i = 0; i < count(); ++i)
        lines.append(QString(m_items[size_t(i)].level * 2, u' ') + text(i));
    return lines;
}

void FolderTree::clear()
{
    std::vector<Item>().swap(m_items);
    std::vector<int>().swap(m_children);
    m_nameBytes = QByteArray();
}

// ---- FolderTreeBuilder ------------------------------------------------------

namespace {

// Zeroed 64-bit slots of a hash table. A large table lies on huge pages
// where the system allows them: a lookup in a table of tens of MB then
// costs one cache miss instead of a miss and a walk of the page tables.
class SlotTable
{
public:
    SlotTable() = default;
    explicit SlotTable(size_t count) : m_size(count)
    {
        const size_t bytes = count * sizeof(quint64);
        if (bytes < HugeFrom) {
            m_data = static_cast<quint64 *>(std::calloc(count, sizeof(quint64)));
            if (!m_data)
                throw std::bad_alloc();
            return;
        }
        m_mapped = bytes + HugePage;
        m_base =
            mmap(nullptr, m_mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (m_base == MAP_FAILED) {
            m_base = nullptr;
            throw std::bad_alloc();
        }
        // The first huge-page boundary in the mapping (pointer arithmetic, not
        // a pointer made from an integer).
        auto *const base = static_cast<char *>(m_base);
        const uintptr_t past = reinterpret_cast<uintptr_t>(base) % HugePage;
        m_data = reinterpret_cast<quint64 *>(base + (past == 0 ? 0 : HugePage - past));
        madvise(m_data, bytes, MADV_HUGEPAGE); // only a wish: fine if refused
    }
    SlotTable(const SlotTable &) = delete;
    SlotTable &operator=(const SlotTable &) = delete;
    SlotTable &operator=(SlotTable &&other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_base, other.m_base);
        std::swap(m_mapped, other.m_mapped);
        return *this;
    }
    ~SlotTable()
    {
        if (m_base)
            munmap(m_base, m_mapped);
        else
            std::free(m_data);
    }

    size_t size() const { return m_size; }
    quint64 &operator[](size_t i) { return m_data[i]; }
    quint64 operator[](size_t i) const { return m_data[i]; }
    const quint64 *begin() const { return m_data; }
    const quint64 *end() const { return m_data + m_size; }

private:
    static constexpr size_t HugePage = size_t(2) << 20;
    static constexpr size_t HugeFrom = size_t(4) << 20;
    quint64 *m_data = nullptr;
    size_t m_size = 0;
    void *m_base = nullptr; // the mapping, for a large table
    size_t m_mapped = 0;
};

} // namespace

struct FolderTreeBuilder::Impl
{
    struct Node
    {
        int parent;
        int level;
        QByteArrayView name;
    };

    const QByteArray &source;
    ListEncoding encoding;
    std::vector<Node> nodes;
    // Children by (parent, name): an open-addressing table; a slot holds
    // the 32-bit hash above the node index plus one (0 free). Looking a
    // component up costs its own bytes only, however deep it lies, and a
    // slot of another name is passed over on its hash, without touching
    // that node or its bytes; the table grows without hashing names again.
    SlotTable slots;
    size_t slotMask = 0;
    // Distinct folder paths below the top folder, and whether the top folder
    // itself holds an entry (a path without "\", or only the top folder). A
    // path below the top folder is its top component and its last node: the
    // nodes reached under the first top component met are marked, the few
    // paths under another top component are kept as (top, node).
    qint32 distinctPaths = 0;
    std::vector<bool> pathOfNode;
    QByteArrayView firstTop;
    bool haveFirstTop = false;
    QSet<std::pair<QByteArrayView, int>> pathsUnderOtherTops;
    bool topHoldsEntries = false;
    // The nodes of the previous folder path, one per component (0 for c0).
    std::vector<int> lastNodes{0};
    std::vector<int> scratch;
    QByteArrayView previousPath;
    bool havePrevious = false;
    // Paths handed in as text live here so the views above stay valid.
    std::deque<QByteArray> ownedPaths;
    const std::atomic<bool> *stop = nullptr;
    bool stopped = false;

    Impl(const QByteArray &src, ListEncoding enc) : source(src), encoding(enc)
    {
        nodes.push_back({-1, 0, QByteArrayView()});
        slots = SlotTable(1024);
        slotMask = slots.size() - 1;
    }

    static quint32 hashOf(int parent, QByteArrayView name)
    {
        // FNV-1a over the name, mixed with the parent.
        quint64 h = 0xcbf29ce484222325ULL ^ (quint64(uint(parent)) * 0x9E3779B97F4A7C15ULL);
        for (char c : name) {
            h ^= uchar(c);
            h *= 0x100000001b3ULL;
        }
        h ^= h >> 29;
        return quint32(h ^ (h >> 32));
    }

    static quint64 slotOf(quint32 hash, int node) { return (quint64(hash) << 32) | uint(node + 1); }
    static quint32 hashInSlot(quint64 slot) { return quint32(slot >> 32); }
    static int nodeInSlot(quint64 slot) { return int(quint32(slot)) - 1; }

    void grow()
    {
        SlotTable bigger(slots.size() * 2);
        const size_t mask = bigger.size() - 1;
        for (quint64 slot : slots) {
            if (!slot)
                continue;
            size_t at = hashInSlot(slot) & mask;
            while (bigger[at])
                at = (at + 1) & mask;
            bigger[at] = slot;
        }
        slots = std::move(bigger);
        slotMask = mask;
    }

    // The child of parent named name, made when missing.
    int child(int parent, QByteArrayView name, int level)
    {
        const quint32 hash = hashOf(parent, name);
        size_t at = hash & slotMask;
        for (;;) {
            const quint64 slot = slots[at];
            if (!slot)
                break;
            if (hashInSlot(slot) == hash) {
                const int node = nodeInSlot(slot);
                const Node &n = nodes[size_t(node)];
                if (n.parent == parent && sameBytes(n.name, name))
                    return node;
            }
            at = (at + 1) & slotMask;
        }
        const int node = int(nodes.size());
        nodes.push_back({parent, level, name});
        slots[at] = slotOf(hash, node);
        if (nodes.size() * 2 > slots.size())
            grow();
        return node;
    }

    void addComponents(QByteArrayView path)
    {
        // c0 .. cn; cn is empty because a folder path ends in "\". Component
        // c0 is the top folder ("Root") and is never compared.
        const char *p = path.data();
        const char *const end = p + path.size();
        const char *slash = static_cast<const char *>(std::memchr(p, '\\', size_t(end - p)));
        if (!slash)
            return;
        p = slash + 1;
        scratch.clear();
        scratch.push_back(0);
        bool following = true; // still on the previous path's nodes
        int parent = 0;
        int level = 1;
        while (p < end) {
            slash = static_cast<const char *>(std::memchr(p, '\\', size_t(end - p)));
            if (!slash)
                break; // the text after the last "\" is no folder
            const QByteArrayView name(p, slash - p);
            int node;
            if (following && size_t(level) < lastNodes.size() &&
                sameBytes(nodes[size_t(lastNodes[size_t(level)])].name, name)) {
                node = lastNodes[size_t(level)];
            } else {
                following = false;
                node = child(parent, name, level);
            }
            scratch.push_back(node);
            parent = node;
            ++level;
            p = slash + 1;
            // A line of millions of components must not hold up a stop.
            if ((level & 0x3FFF) == 0 && stop && stop->load(std::memory_order_relaxed)) {
                stopped = true;
                break;
            }
        }
        lastNodes.swap(scratch);
    }

    static bool belowTop(QByteArrayView path)
    {
        // More than the top folder: a "\" before the final one. An empty
        // view may have no data pointer at all: memchr must not see it.
        if (path.isEmpty())
            return false;
        const char *first =
            static_cast<const char *>(std::memchr(path.data(), '\\', size_t(path.size())));
        return first && first < path.data() + path.size() - 1;
    }

    void countPath(QByteArrayView path)
    {
        const int node = lastNodes.back();
        const QByteArrayView top(path.data(), static_cast<const char *>(std::memchr(
                                                  path.data(), '\\', size_t(path.size()))) -
                                                  path.data());
        if (!haveFirstTop) {
            firstTop = top;
            haveFirstTop = true;
        }
        if (sameBytes(top, firstTop)) {
            if (pathOfNode.size() <= size_t(node))
                pathOfNode.resize(std::max(size_t(node) + 1, nodes.size()));
            if (!pathOfNode[size_t(node)]) {
                pathOfNode[size_t(node)] = true;
                ++distinctPaths;
            }
        } else if (!pathsUnderOtherTops.contains({top, node})) {
            pathsUnderOtherTops.insert({top, node});
            ++distinctPaths;
        }
    }

    bool add(QByteArrayView path)
    {
        if (havePrevious && sameBytes(path, previousPath))
            return false;
        const bool first = !havePrevious;
        havePrevious = true;
        previousPath = path;
        // An empty path has nothing to cut: the tree and the previous
        // components stay as they are.
        if (!path.isEmpty())
            addComponents(path);
        if (belowTop(path))
            countPath(path);
        else
            topHoldsEntries = true;
        // Before the first line the previous path counts as empty.
        return !(first && path.isEmpty());
    }
};

FolderTreeBuilder::FolderTreeBuilder(const QByteArray &source, ListEncoding encoding)
    : d(new Impl(source, encoding))
{}

FolderTreeBuilder::~FolderTreeBuilder()
{
    delete d;
}

bool FolderTreeBuilder::addFolderPath(QByteArrayView folderPath)
{
    return d->add(folderPath);
}

bool FolderTreeBuilder::AddOneItemSftTree(const cStringBuilder &folder)
{
    QString text = folder.ToString();
    const qsizetype comma = text.indexOf(u',');
    if (comma >= 0)
        text.truncate(comma);
    d->ownedPaths.push_back(encodeListText(text, d->encoding));
    return d->add(d->ownedPaths.back());
}

qint32 FolderTreeBuilder::distinctFolderPaths() const
{
    return d->distinctPaths + (d->topHoldsEntries ? 1 : 0);
}

int FolderTreeBuilder::currentNode() const
{
    return d->previousPath.isEmpty() ? 0 : d->lastNodes.back();
}

void FolderTreeBuilder::setStopFlag(const std::atomic<bool> *stop)
{
    d->stop = stop;
}

bool FolderTreeBuilder::stopped() const
{
    return d->stopped;
}

FolderTree FolderTreeBuilder::finish(const QLocale &collationLocale, std::vector<int> *itemOfNode)
{
    FolderTree tree;
    tree.m_encoding = d->encoding;

    // No more lookups: the tables behind them go before the tree is laid out.
    d->slots = SlotTable();
    std::vector<bool>().swap(d->pathOfNode);

    // The names' bytes in the tree's own buffer, in the nodes' order: the
    // order of the list, so the source is read front to back (in the items'
    // order a wide folder's names would be fetched from all over it). The
    // nodes point there from now on.
    qsizetype nameBytes = 0;
    for (const auto &n : d->nodes)
        nameBytes += n.name.size();
    tree.m_nameBytes.resize(nameBytes);
    {
        char *const base = tree.m_nameBytes.data();
        qsizetype at = 0;
        for (auto &n : d->nodes) {
            if (!n.name.isEmpty())
                std::memcpy(base + at, n.name.data(), size_t(n.name.size()));
            n.name = QByteArrayView(base + at, n.name.size());
            at += n.name.size();
        }
    }
    const char *const nameBase = tree.m_nameBytes.constData();
    const auto &nodes = d->nodes;
    const size_t count = nodes.size();
    auto givenUp = [this](size_t i) {
        if ((i & 0xFFFF) == 0 && d->stop && d->stop->load(std::memory_order_relaxed))
            d->stopped = true;
        return d->stopped;
    };

    // Children of each node, in order of creation, as one table.
    std::vector<int> childCount(count, 0);
    for (size_t i = 1; i < count; ++i)
        ++childCount[size_t(nodes[i].parent)];
    std::vector<int> firstChild(count, 0);
    for (size_t i = 1; i < count; ++i)
        firstChild[i] = firstChild[i - 1] + childCount[i - 1];
    std::vector<int> children(count > 0 ? count - 1 : 0);
    {
        std::vector<int> fill(firstChild);
        for (size_t i = 1; i < count; ++i)
            children[size_t(fill[size_t(nodes[i].parent)]++)] = int(i);
    }

    // Each parent's children in the order people expect: case-insensitive
    // natural order, ties broken by the code units. Each name gets one key
    // (from its bytes when it is plain ASCII), one parent at a time: the keys
    // of the whole tree are never held at once.
    const NaturalSorter sorter(collationLocale);
    std::vector<QByteArrayView> names;
    std::vector<int> sorted;
    for (size_t p = 0; p < count; ++p) {
        if (givenUp(p))
            return FolderTree();
        if (childCount[p] < 2)
            continue;
        auto begin = children.begin() + firstChild[p];
        names.clear();
        for (auto it = begin; it != begin + childCount[p]; ++it)
            names.push_back(nodes[size_t(*it)].name);
        const std::vector<qsizetype> order = sorter.order(names, d->encoding);
        sorted.resize(order.size());
        for (size_t k = 0; k < order.size(); ++k)
            sorted[k] = begin[order[k]];
        std::copy(sorted.begin(), sorted.end(), begin);
    }
    std::vector<QByteArrayView>().swap(names);
    std::vector<int>().swap(sorted);

    // Lay the items out in pre-order, without recursion.
    std::vector<int> newIndex(count, -1);
    std::vector<int> order;
    order.reserve(count);
    std::vector<std::pair<int, int>> stack; // node, next child row
    if (count > 0) {
        stack.push_back({0, 0});
        newIndex[0] = 0;
        order.push_back(0);
    }
    while (!stack.empty()) {
        auto &[node, next] = stack.back();
        if (next >= childCount[size_t(node)]) {
            stack.pop_back();
            continue;
        }
        const int c = children[size_t(firstChild[size_t(node)] + next)];
        ++next;
        newIndex[size_t(c)] = int(order.size());
        order.push_back(c);
        stack.push_back({c, 0});
    }

    tree.m_items.resize(count);
    tree.m_children.resize(children.size());
    int tableAt = 0;
    for (size_t k = 0; k < count; ++k) {
        const int old = order[k];
        FolderTree::Item &it = tree.m_items[k];
        it.level = nodes[size_t(old)].level;
        it.parent = old == 0 ? -1 : newIndex[size_t(nodes[size_t(old)].parent)];
        it.nameOffset = nodes[size_t(old)].name.data() - nameBase;
        it.nameLength = qint32(nodes[size_t(old)].name.size());
        it.firstChild = tableAt;
        it.childCount = childCount[size_t(old)];
        for (int r = 0; r < it.childCount; ++r) {
            const int child = newIndex[size_t(children[size_t(firstChild[size_t(old)] + r)])];
            tree.m_children[size_t(tableAt + r)] = child;
        }
        tableAt += it.childCount;
    }
    for (size_t k = 0; k < count; ++k) {
        const FolderTree::Item &it = tree.m_items[k];
        for (int r = 0; r < it.childCount; ++r)
            tree.m_items[size_t(tree.m_children[size_t(it.firstChild + r)])].row = r;
    }
    if (itemOfNode)
        *itemOfNode = std::move(newIndex);
    return tree;
}

} // namespace corvane
