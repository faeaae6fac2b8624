// Narrowing as the user types goes to its controller; the window puts what
// it found in the tree, the grid and the legend, and takes it out again.

#include "BrowseController.h"
#include "OverviewController.h"
#include "basket/ui/BasketController.h"
#include "browse/ui/FolderTreeModel.h"
#include "find/ui/FindController.h"
#include "frmMain.h"

#include <QTreeView>

namespace corvane {

void frmMain::setupFind()
{
    m_find =
        new FindController(*this, *m_session, {m_ui.TXT1, m_ui.FindCount, m_ui.FindHint}, this);
    connect(this, &frmMain::languageChanged, m_find, &FindController::retranslate);
    connect(m_find, &FindController::narrowed, this,
            [this](const std::shared_ptr<const FindView> &view) {
                const bool all = view->matches.all;
                const int shown = m_session->CurrentFolderItem();
                // Every line matching: the tree stays as it is, the count says all.
                m_folderTreeModel->setMatchCounts(
                    all ? nullptr
                        : std::shared_ptr<const std::vector<qint32>>(view, &view->perItem));
                m_browse->setListingFilter(all ? nullptr : view);
                // "Add all shown" takes the matches.
                m_basket->setNarrowedLines(
                    all ? nullptr
                        : std::shared_ptr<const std::vector<qint32>>(view, &view->matches.lines));
                m_overview->showMatchFigures(
                    std::shared_ptr<const std::vector<StatusFigure>>(view, &view->perStatus));
                // The folder shown stays while it holds matches; else "Root".
                revealFolder(view->keepsFolder(shown) || all ? shown : 0);
            });
    connect(m_find, &FindController::widened, this, [this](int item) {
        const int shown = m_session->CurrentFolderItem();
        m_folderTreeModel->setMatchCounts(nullptr);
        m_browse->setListingFilter(nullptr);
        m_basket->setNarrowedLines(nullptr);
        m_overview->showMatchFigures(nullptr);
        revealFolder(item >= 0 ? item : shown);
    });
}

void frmMain::revealFolder(int item)
{
    if (item < 0 || item >= m_session->loadedList().SftTree1.count())
        return;
    // The tree model was made anew: the folder's branch opened again.
    QTreeView *tree = m_ui.SftTree1;
    for (int up = item; up >= 0; up = m_session->loadedList().SftTree1.parent(up)) {
        const QModelIndex index = m_folderTreeModel->indexOf(up);
        if (index.isValid())
            tree->expand(index);
    }
    const QModelIndex index = m_folderTreeModel->indexOf(item);
    if (index.isValid()) {
        tree->setCurrentIndex(index);
        tree->scrollTo(index);
    }
    m_browse->ShowFolder(item);
}

FindController &frmMain::findController() const
{
    return *m_find;
}

} // namespace corvane
