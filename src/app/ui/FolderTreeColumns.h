#pragma once

// The width of the folder tree's name column: the files, size and recovery
// columns keep their own widths and the names get the rest of the tree's
// width (never less than a few letters), following the tree as it is
// resized or a column is shown or hidden. Once the user sizes the name
// column by hand it keeps that width; wider than the tree, the tree scrolls.

#include <QObject>

class QTreeView;

namespace corvane {

class FolderTreeColumns : public QObject
{
    Q_OBJECT

public:
    static constexpr int NameMinimum = 100;

    explicit FolderTreeColumns(QTreeView *tree);

    void fit();
    bool nameSizedByHand() const { return m_nameByHand; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTreeView *m_tree;
    bool m_fitting = false;
    bool m_nameByHand = false;
};

} // namespace corvane
