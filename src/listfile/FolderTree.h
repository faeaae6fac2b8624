#pragma once

#include "ListText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>
#include <vector>

namespace corvane {

class cStringBuilder;

// The folder tree: item 0 "Root" stands for the list's top folder, one item
// per folder below it. Items stand in one ordered collection (pre-order: every
// item after its parent, each parent's children ordered by name for people);
// an item's parent is the nearest earlier item one level up. Children of an
// item are also reachable by row in O(1), for item models.
class FolderTree
{
public:
    struct Item
    {
        int level = 0;      // 0 for "Root", d for a folder at depth d
        int parent = -1;    // index of the parent item, -1 for "Root"
        int row = 0;        // position among the parent's children
        int firstChild = 0; // into the child table, see child()
        int childCount = 0;
        qint64 nameOffset = 0; // the name's bytes as stored in the list
        qint32 nameLength = 0;
    };

    int count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    const Item &item(int index) const { return m_items[size_t(index)]; }
    int parent(int index) const { return m_items[size_t(index)].parent; }
    // The row-th child of parent (rows from 0).
    int child(int parent, int row) const
    {
        return m_children[size_t(m_items[size_t(parent)].firstChild + row)];
    }
    // The child of parent named exactly name (case-sensitive), or -1; found
    // by the name's bytes, without decoding the siblings'.
    int findChild(int parent, QStringView name) const;

    // The folder's name as shown ("Root" for item 0), decoded from its bytes
    // when asked for: a tree of a million folders keeps no text.
    QString text(int index) const;

    // The folder name's bytes as the list holds them (empty for "Root").
    QByteArrayView rawName(int index) const
    {
        const Item &it = m_items[size_t(index)];
        return QByteArrayView(m_nameBytes.constData() + it.nameOffset, it.nameLength);
    }
    // The names from level 1 down to index, each followed by "\", as bytes
    // (empty for "Root"): append it to the encoded root prefix to get the
    // folder key that the line store is searched with.
    QByteArray keyBelowRoot(int index) const;
    // The same names as text, from level 1 down to index.
    QStringList namesBelowRoot(int index) const;
    // The item reached from "Root" by following names (exact), or -1.
    int findPath(const QStringList &namesBelowRoot) const;

    // One item a line: two spaces per level, then the text.
    QStringList printable() const;

    ListEncoding encoding() const { return m_encoding; }
    void clear();

private:
    friend class FolderTreeBuilder;
    std::vector<Item> m_items;
    std::vector<int> m_children;
    QByteArray m_nameBytes;
    ListEncoding m_encoding = ListEncoding::Windows1252;
};

// Grows the folder tree while a list is read, line after line. A folder path
// is merged with the previous line's path (the components below the point
// where the two part are added, as AddOneItemSftTree does), and a folder that
// already exists under the same parent is reused, so that a list not written
// folder by folder still gets one item per folder.
class FolderTreeBuilder
{
public:
    // source holds the bytes that the folder paths given to addFolderPath
    // point into; it must outlive the builder.
    explicit FolderTreeBuilder(const QByteArray &source, ListEncoding encoding);
    ~FolderTreeBuilder();
    // It owns its state through a plain pointer: a copy would free it twice.
    FolderTreeBuilder(const FolderTreeBuilder &) = delete;
    FolderTreeBuilder &operator=(const FolderTreeBuilder &) = delete;

    // Adds the folders of one line's folder path ('Data\A\B\', a view into
    // source). Returns true when the path differs from the previous line's
    // (a folder change). An empty path (a path without "\") changes the
    // previous path to empty and adds no item.
    bool addFolderPath(QByteArrayView folderPath);

    // The same for a folder path held in a string builder.
    bool AddOneItemSftTree(const cStringBuilder &folder);

    // The node of the folder path added last (0 for "Root" and for an empty
    // path): a number from 0 below the node count, which finish() maps to
    // the item that the folder becomes.
    int currentNode() const;

    // The number of distinct folder paths, whatever the order of the lines:
    // every path below the top folder once, and the top folder once when an
    // entry lies in it (a path without "\", or directly in the top folder).
    qint32 distinctFolderPaths() const;

    // Looked at inside long paths too; once it is set, adding gives up and
    // stopped() says so (the tree is then incomplete).
    void setStopFlag(const std::atomic<bool> *stop);
    bool stopped() const;

    // Sorts each parent's children by name (case-insensitive natural order of
    // the given locale, ties broken ordinally, see NaturalSorter: one key a
    // name, however wide the folder) and lays the items out in pre-order.
    // The builder is spent afterwards.
    // itemOfNode, when given, receives the item of every node.
    FolderTree finish(const QLocale &collationLocale, std::vector<int> *itemOfNode = nullptr);

private:
    struct Impl;
    Impl *d;
};

} // namespace corvane
