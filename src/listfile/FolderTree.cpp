#include "FolderTree.h"

#include "util/cStringBuilder.h"

#include <QCollator>

#include <algorithm>
#include <cstring>
#include <deque>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

// ---- FolderTree -------------------------------------------------------------

int FolderTree::findChild(int parentIndex, QStringView name) const
{
    const Item &p = m_items[size_t(parentIndex)];
    for (int r = 0; r < p.childCount; ++r) {
        const int c = m_children[size_t(p.firstChild + r)];
        if (m_items[size_t(c)].text == name)
            return c;
    }
    return -1;
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
        names.prepend(m_items[size_t(i)].text);
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
    for (const Item &it : m_items)
        lines.append(QString(it.level * 2, u' ') + it.text);
    return lines;
}

void FolderTree::clear()
{
    std::vector<Item>().swap(m_items);
    std::vector<int>().swap(m_children);
    m_nameBytes = QByteArray();
}

// ---- FolderTreeBuilder ------------------------------------------------------

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
    // Folder below the top one -> node; the key is the path after component
    // 0 up to and including the "\" after the folder's name.
    QHash<QByteArrayView, int> byPath;
    QSet<QByteArrayView> distinctPaths;
    // The previous folder path, cut into components, and the node of each.
    std::vector<QByteArrayView> lastParts{QByteArrayView()};
    std::vector<int> lastNodes{0};
    QByteArrayView previousPath;
    // Paths handed in as text live here so the views above stay valid.
    std::deque<QByteArray> ownedPaths;

    Impl(const QByteArray &src, ListEncoding enc) : source(src), encoding(enc)
    {
        nodes.push_back({-1, 0, QByteArrayView()});
    }

    void addComponents(QByteArrayView path)
    {
        // c0 .. cn; cn is empty because a folder path ends in "\".
        std::vector<QByteArrayView> parts;
        std::vector<qsizetype> ends; // offset just past the "\" after part i
        qsizetype start = 0;
        for (;;) {
            const qsizetype slash = path.indexOf('\\', start);
            if (slash < 0) {
                parts.push_back(path.sliced(start));
                ends.push_back(path.size());
                break;
            }
            parts.push_back(path.sliced(start, slash - start));
            ends.push_back(slash + 1);
            start = slash + 1;
        }
        const qsizetype n = qsizetype(parts.size()) - 1;
        qsizetype i = 1;
        while (i <= n - 1 && i < qsizetype(lastParts.size()) && i < qsizetype(lastNodes.size()) &&
               parts[size_t(i)] == lastParts[size_t(i)])
            ++i;
        std::vector<int> nodeAt(lastNodes.begin(),
                                lastNodes.begin() + qMin<qsizetype>(i, lastNodes.size()));
        const qsizetype keyStart = ends[0];
        for (qsizetype j = i; j <= n - 1; ++j) {
            const QByteArrayView key = path.sliced(keyStart, ends[size_t(j)] - keyStart);
            auto found = byPath.constFind(key);
            int node;
            if (found != byPath.constEnd()) {
                node = found.value();
            } else {
                node = int(nodes.size());
                nodes.push_back({nodeAt[size_t(j - 1)], int(j), parts[size_t(j)]});
                byPath.insert(key, node);
            }
            nodeAt.push_back(node);
        }
        lastParts = std::move(parts);
        lastNodes = std::move(nodeAt);
    }

    bool add(QByteArrayView path)
    {
        if (path.size() == previousPath.size() &&
            (path.isEmpty() ||
             std::memcmp(path.data(), previousPath.data(), size_t(path.size())) == 0))
            return false;
        previousPath = path;
        distinctPaths.insert(path);
        // An empty path has nothing to cut: the tree and the previous
        // components stay as they are.
        if (!path.isEmpty())
            addComponents(path);
        return true;
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
    return qint32(d->distinctPaths.size());
}

FolderTree FolderTreeBuilder::finish(const QLocale &collationLocale)
{
    FolderTree tree;
    tree.m_encoding = d->encoding;
    const auto &nodes = d->nodes;
    const size_t count = nodes.size();

    // Names as shown, and their bytes copied into the tree's own buffer.
    std::vector<QString> texts(count);
    std::vector<qint64> nameOffsets(count, 0);
    qsizetype nameBytes = 0;
    for (const auto &n : nodes)
        nameBytes += n.name.size();
    tree.m_nameBytes.reserve(nameBytes);
    texts[0] = u"Root"_s;
    for (size_t i = 1; i < count; ++i) {
        texts[i] = decodeListText(nodes[i].name, d->encoding);
        nameOffsets[i] = tree.m_nameBytes.size();
        tree.m_nameBytes.append(nodes[i].name);
    }

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
    // natural order, ties broken by the code units.
    QCollator collator(collationLocale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setIgnorePunctuation(false);
    for (size_t p = 0; p < count; ++p) {
        if (childCount[p] < 2)
            continue;
        auto begin = children.begin() + firstChild[p];
        std::sort(begin, begin + childCount[p], [&](int a, int b) {
            const int c = collator.compare(texts[size_t(a)], texts[size_t(b)]);
            if (c != 0)
                return c < 0;
            return texts[size_t(a)] < texts[size_t(b)];
        });
    }

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
        it.text = std::move(texts[size_t(old)]);
        it.level = nodes[size_t(old)].level;
        it.parent = old == 0 ? -1 : newIndex[size_t(nodes[size_t(old)].parent)];
        it.nameOffset = nameOffsets[size_t(old)];
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
    return tree;
}

} // namespace corvane
