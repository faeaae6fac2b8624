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

namespace {

// The tree open down to item and item picked in it and shown.
void revealFolder(QTreeView *tree, const FolderTreeModel &model, const FolderTree &folders,
                  BrowseController &browse, int item)
{
    if (item < 0 || item >= folders.count())
        return;
    // The tree model was made anew: the folder's branch opened again.
    for (int up = item; up >= 0; up = folders.parent(up)) {
        const QModelIndex index = model.indexOf(up);
        if (index.isValid())
            tree->expand(index);
    }
    const QModelIndex index = model.indexOf(item);
    if (index.isValid()) {
        tree->setCurrentIndex(index);
        tree->scrollTo(index);
    }
    browse.ShowFolder(item);
}

} // namespace

void frmMain::setupFind()
{
    m_controllers.find =
        new FindController(*this, *m_session, {m_ui.TXT1, m_ui.FindCount, m_ui.FindHint}, this);
    connect(this, &frmMain::languageChanged, m_controllers.find, &FindController::retranslate);
    connect(m_controllers.find, &FindController::narrowed, this,
            [this](const std::shared_ptr<const FindView> &view) {
                const bool all = view->matches.all;
                const int shown = m_session->CurrentFolderItem();
                // Every line matching: the tree stays as it is, the count says all.
                m_folderTreeModel->setMatchCounts(
                    all ? nullptr
                        : std::shared_ptr<const std::vector<qint32>>(view, &view->perItem));
                m_controllers.browse->setListingFilter(all ? nullptr : view);
                // "Add all shown" takes the matches.
                m_controllers.basket->setNarrowedLines(
                    all ? nullptr
                        : std::shared_ptr<const std::vector<qint32>>(view, &view->matches.lines));
                m_controllers.overview->showMatchFigures(
                    std::shared_ptr<const std::vector<StatusFigure>>(view, &view->perStatus));
                // The folder shown stays while it holds matches; else "Root".
                revealFolder(m_ui.SftTree1, *m_folderTreeModel, m_session->loadedList().SftTree1,
                             *m_controllers.browse, view->keepsFolder(shown) || all ? shown : 0);
            });
    connect(m_controllers.find, &FindController::widened, this, [this](int item) {
        const int shown = m_session->CurrentFolderItem();
        m_folderTreeModel->setMatchCounts(nullptr);
        m_controllers.browse->setListingFilter(nullptr);
        m_controllers.basket->setNarrowedLines(nullptr);
        m_controllers.overview->showMatchFigures(nullptr);
        revealFolder(m_ui.SftTree1, *m_folderTreeModel, m_session->loadedList().SftTree1,
                     *m_controllers.browse, item >= 0 ? item : shown);
    });
}

} // namespace corvane
