#pragma once

// The restore basket in the window: the check boxes of the folder tree
// (SftTree1) and the file grid (iGrid2), Space on either, "Add all shown"
// and "Remove all shown", and the basket bar below them: what is chosen
// (files, bytes, the largest file), the target drive (its size as typed and
// its file system), the room the choice takes there against the drive's size,
// the warnings (does not fit, files too big for the file system, paths too
// long) with their files, "Save restore list..." and "Empty basket".
//
// The choice is of the opened list's lines; while a search result is shown,
// its lines are found in the opened list (ListSession keeps it), so what is
// ticked there is ticked in the list. The basket is kept per list in the data
// folder, keyed by the list's SHA-256 (computed on a worker thread after the
// list is shown), and comes back when the same list is opened again.
//
// Sends choiceChanged() when the basket changes.

#include "BasketBar.h"
#include "basket/Basket.h"
#include "basket/TargetDrive.h"
#include "browse/RowChecks.h"
#include "listfile/LineStore.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAbstractItemView;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;
class QTreeView;
class QWidget;

namespace corvane {

class BackgroundJob;
class FileGridModel;
class FolderTreeModel;
class ListSession;
class WindowContext;
struct LoadedList;

struct BasketWidgets
{
    QTreeView *SftTree1 = nullptr;
    FolderTreeModel *treeModel = nullptr;
    QTableView *iGrid2 = nullptr;
    FileGridModel *gridModel = nullptr;
    BasketBarControls bar; // built by the window's layout code (buildBasketBar)
};

// The files a restore list is never written over.
struct BasketSources
{
    std::function<QString()> zipArchivePath; // the archive the list came from; empty if none
};

class BasketController : public QObject, public RowChecks
{
    Q_OBJECT

public:
    BasketController(WindowContext &context, ListSession &session, const BasketWidgets &widgets,
                     BasketSources sources, QObject *parent = nullptr);
    ~BasketController() override;

    // The bar's controls in the order Tab visits them.
    QList<QWidget *> tabOrder() const;

    const basket::Basket &basket() const { return m_basket; }
    // The figures of the choice on the target as the bar shows them.
    basket::RoomOnTarget room() const;
    // The target as the user set it: nullopt while the size is empty or
    // cannot be read.
    std::optional<qint64> targetCapacity() const;
    basket::FileSystem targetFileSystem() const;

    // RowChecks: the tree's and the grid's boxes.
    Qt::CheckState folderCheck(int item) const override;
    void setFolderChosen(int item, bool chosen) override;
    Qt::CheckState rowCheck(const FolderListing &listing, const GridRow &row) const override;
    void setRowChosen(const FolderListing &listing, const GridRow &row, bool chosen) override;

    // Every line of the list shown (a search result's, or the whole list's).
    // While the list is narrowed as the user types, the lines shown are the
    // matches (store indexes of the list shown, ascending; nullptr: every
    // line): "all shown" is those.
    void setNarrowedLines(std::shared_ptr<const std::vector<qint32>> lines)
    {
        m_narrowedLines = std::move(lines);
    }
    void addAllShown() { chooseAllShown(true); }
    void removeAllShown() { chooseAllShown(false); }
    // Every line of the list shown, once its lines are found in the list
    // (at once when they are).
    void addAllShownWhenFound();
    void emptyBasket();
    // Asks where, then writes the chosen lines on a worker thread.
    void saveRestoreList();
    bool isSaving() const;
    void finishSaving();
    // The bar's figures as lines of text, for the recovery report; empty
    // while nothing is chosen.
    QStringList reportLines() const;
    // The paragraph the approval e-mail adds while something is chosen.
    QString approvalNote() const;
    // The basket is written to the data folder now (the program ends).
    void saveNow();
    // Waits until the list's fingerprint is known (tests).
    bool waitForFingerprint(int timeoutMs);
    // A shown search result's lines are still being found in the list.
    bool isMapping() const { return m_mapping; }

    void retranslate();

Q_SIGNALS:
    void choiceChanged();
    // The opened list's SHA-256 is known (the key of what is kept for it).
    void listFingerprintKnown(const QString &sha256);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Without a size, the cluster is a 1 TB drive's (as corvane-list select takes it).
    static constexpr qint64 OneTerabyte = 1'000'000'000'000;
    // A choice this small is measured at once; a larger one on a worker thread.
    static constexpr qsizetype MeasuredAtOnce = 20000;

    void connectBar();
    void listAboutToGo(const LoadedList *incoming);
    void listReplaced();
    void listReplacedShown();
    void startFingerprint();
    void keepBeforeListGoes();
    void restoreSaved(const QString &sha);
    void chooseShown(qsizetype first, qsizetype last, bool chosen);
    std::shared_ptr<const std::vector<qint32>> m_narrowedLines;
    void chooseAllShown(bool chosen);
    Qt::CheckState checkOf(LineStore::Range shown) const;
    LineStore::Range folderLines(int item) const;
    void toggleCurrent(QAbstractItemView *view);
    void changed();
    void updateFigures();
    void showFigures();
    void showWarningFiles(int which);
    void scheduleSave();

    WindowContext &m_context;
    ListSession &m_session;
    BasketWidgets m_widgets;
    BasketSources m_sources;

    basket::Basket m_basket;             // of the opened list's lines
    std::vector<qint32> m_shownToOpened; // a shown search result's lines; empty: identity
    mutable std::vector<LineStore::Range> m_folderLines; // per tree item, found when asked
    QString m_sha;                  // the opened list's SHA-256; empty while unknown
    QString m_fingerprintPath;      // the file being fingerprinted
    QString m_restoreListPath;      // saved last for this list
    bool m_saveFailureSaid = false; // the basket could not be kept, and that was said
    std::optional<basket::RoomOnTarget> m_room;
    quint64 m_figuresRun = 0;

    BackgroundJob *m_figuresJob = nullptr;
    BackgroundJob *m_fingerprintJob = nullptr;
    BackgroundJob *m_mapJob = nullptr;
    bool m_mapping = false;      // a shown search result's lines are being found in the list
    bool m_addWhenFound = false; // then all of them are added
    BackgroundJob *m_saveJob = nullptr;
    QTimer *m_saveTimer = nullptr;
    QTimer *m_figuresTimer = nullptr;

    QWidget *m_bar = nullptr;
    QPushButton *m_addShown = nullptr;
    QPushButton *m_removeShown = nullptr;
    QWidget *m_chosenPart = nullptr;
    QLabel *m_figures = nullptr;
    QLabel *m_targetLabel = nullptr;
    QLineEdit *m_capacity = nullptr;
    QComboBox *m_fileSystem = nullptr;
    QProgressBar *m_roomBar = nullptr;
    QPushButton *m_noFit = nullptr;
    QPushButton *m_tooBig = nullptr;
    QPushButton *m_longPaths = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_empty = nullptr;
    QPointer<QDialog> m_filesDialog;
};

} // namespace corvane
