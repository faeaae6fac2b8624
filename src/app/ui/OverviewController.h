#pragma once

// The recovery overview: drives the folder tree's files, size and recovery
// columns (SftTree1 and its model: sortable from the header, hideable from
// its context menu, the choice remembered, the recovery bars drawn by a
// delegate), the legend of the whole list's statuses (RecoveryLegend in its
// frame fraRecovery, put under the counters in Frame8_1), and the room the
// tree (TreeGridSplitter) and the details values (Label19 to Label23,
// UniLabel1) are given. Sends statusFilterRequested(status) when a legend
// row is clicked: the window runs the preset filter with that status word.
//
// The totals are the session's, computed on the loader's thread and swapped
// in with the list; showFolderTotals() puts them in the tree and the legend.

#include "browse/ui/RecoveryLegend.h"
#include "listfile/StateFile.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QMenu;
class QPoint;
class QSplitter;
class QTreeView;
class QWidget;

namespace corvane {

class FolderTreeModel;
class ListSession;
class RecoveryBarDelegate;
class RecoveryLegend;
class WindowContext;

struct OverviewWidgets
{
    QTreeView *SftTree1 = nullptr;
    FolderTreeModel *treeModel = nullptr; // SftTree1's model
    QSplitter *TreeGridSplitter = nullptr;
    QGroupBox *Frame8_1 = nullptr;
    QLabel *Label19 = nullptr;
    QLabel *Label20 = nullptr;
    QLabel *Label21 = nullptr;
    QLabel *Label22 = nullptr;
    QLabel *Label23 = nullptr;
    QLabel *UniLabel1 = nullptr;
};

// Where the hidden tree columns are remembered (empty: nowhere), and the
// check that tells whether that file may be read or written as it is now.
struct OverviewSettings
{
    QString file;
    std::function<StateFileProblem()> check;
};

class OverviewController : public QObject
{
    Q_OBJECT

public:
    OverviewController(WindowContext &context, ListSession &session, const OverviewWidgets &widgets,
                       OverviewSettings settings, QObject *parent = nullptr);

    RecoveryLegend *legend() const { return m_legend; }
    // The folder tree header's context menu: a checkable entry per number
    // column; unchecking hides the column, and the choice is remembered.
    QMenu *buildTreeHeaderMenu(QWidget *parent);
    void setTreeColumnShown(int section, bool shown);

    // The session's totals, in the tree and the legend.
    void showFolderTotals();
    // While the list is narrowed: the matches' figures per status of the
    // session's totals in the legend (nullptr: the whole list's again).
    void showMatchFigures(std::shared_ptr<const std::vector<StatusFigure>> figures);
    // The column titles, status names and number format of the language in
    // use.
    void retranslate();

Q_SIGNALS:
    void statusFilterRequested(const QString &status);

private:
    void showHeaderMenu(const QPoint &pos);
    void refreshLegend();

    WindowContext &m_context;
    ListSession &m_session;
    OverviewWidgets m_widgets;
    OverviewSettings m_settings;
    RecoveryBarDelegate *m_delegate = nullptr;
    QGroupBox *m_frame = nullptr; // the legend's frame on the "View list" page
    RecoveryLegend *m_legend = nullptr;
    std::shared_ptr<const std::vector<StatusFigure>> m_matchFigures;
};

} // namespace corvane
