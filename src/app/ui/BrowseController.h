#pragma once

// Browsing the shown list: drives the folder tree's pick (SftTree1), the
// file grid (iGrid2: its model, its icons, its keys) and the values of the
// details panel (Label19 size, Label20 modified, Label21 attributes).
// Sends detailsHintChanged(entry) when the details hint (UniLabel1) must
// say something else for the current row.
//
// A folder picked (ShowFolder) becomes the session's CurrentFolderItem; its
// lines are found in the loaded list (FirstFolderLine to LastFolderLine)
// and listed in the grid. Rows and columns count from 1, as the grid's
// handlers give them. In the grid, Backspace goes up a folder like the ".."
// row, Ctrl+C copies the selected rows' full paths, and type-ahead looks
// at the names whichever cell of the row is current.

#include "app/language/LangEntry.h"
#include "browse/FileGridModel.h"
#include "browse/ui/FileTypeIcons.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QLabel;
class QTableView;
class QTreeView;

namespace corvane {

class FolderTreeModel;
class ListSession;
class WindowContext;

struct BrowseWidgets
{
    QTreeView *SftTree1 = nullptr;
    FolderTreeModel *treeModel = nullptr; // SftTree1's model
    QTableView *iGrid2 = nullptr;
    QLabel *Label19 = nullptr;
    QLabel *Label20 = nullptr;
    QLabel *Label21 = nullptr;
};

class BrowseController : public QObject
{
    Q_OBJECT

public:
    BrowseController(WindowContext &context, ListSession &session, const BrowseWidgets &widgets,
                     QObject *parent = nullptr);

    // The file grid's rows; the window puts the model under iGrid2, then
    // calls setupViews() once.
    FileGridModel &model() { return m_model; }
    const FileGridModel &model() const { return m_model; }
    FileTypeIcons &icons() { return m_icons; }
    void setupViews();

    // The lines of the folder shown: -1 and 0 when it has none.
    qint32 FirstFolderLine() const { return m_firstFolderLine; }
    qint32 LastFolderLine() const { return m_lastFolderLine; }

    void ShowFolder(int itemIndex);
    // While the list is narrowed (a find as the user types) the grid lists
    // only the rows filter keeps (nullptr: every row again). The folder shown
    // is listed anew at once.
    void setListingFilter(std::shared_ptr<const ListingFilter> filter);
    // The shown folder's file row named name becomes the current row, in view.
    void SelectGridFileRow(const QString &name) { selectGridRow(GridRowKind::File, name); }
    void FindFolderLines(const QByteArray &key);
    void FillFileGrid(const QByteArray &key);
    void OpenGridRow(int row, int col, bool requestEdit);
    void ShowFileDetails(int row, int col);
    int GetFileIcon(const QString &fileName) { return m_icons.GetFileIcon(fileName); }
    // Ctrl+C in the file grid: the full paths of the selected rows.
    void copySelectedGridPaths();
    // The grid and the shown folder's lines are emptied (the list goes).
    void clear();
    // After a language change: the names' order from the next fill on, the
    // sizes and the details panel in the new number format at once.
    void retranslate();

Q_SIGNALS:
    void detailsHintChanged(corvane::LangEntry entry);
    // ShowFolder has shown the folder of item.
    void folderShown(int item);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyOptions();
    void SelectGridFolderRow(const QString &name) { selectGridRow(GridRowKind::Folder, name); }
    void selectGridRow(GridRowKind kind, const QString &name);

    WindowContext &m_context;
    ListSession &m_session;
    BrowseWidgets m_widgets;
    bool m_iconThemeChecked; // before m_icons: the theme is looked up first
    FileTypeIcons m_icons;
    FileGridModel m_model;
    std::shared_ptr<const ListingFilter> m_filter;
    qint32 m_firstFolderLine = -1;
    qint32 m_lastFolderLine = 0;
};

} // namespace corvane
