// What the window shows of the list and of the language beyond the captions:
// the list's name in the title, the texts that must go with an emptied view,
// the texts a language change writes anew, Stop for a load.

#include "BrowseController.h"
#include "FileGridColumns.h"
#include "KeptList.h"
#include "LabInfo.h"
#include "OpenController.h"
#include "ZipNotesController.h"
#include "find/ui/FindController.h"
#include "frmMain.h"
#include "util/PlainText.h"

#include <QAbstractItemModel>
#include <QBoxLayout>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void frmMain::setupShownTexts()
{
    // Stop sits beside the load bar, below the open page's frame: that frame
    // is disabled while a list loads, and Stop must not be.
    auto *loadRow = new QWidget(m_ui.SSTab1Page0);
    loadRow->setObjectName(u"LoadRow"_s);
    auto *rowLayout = new QHBoxLayout(loadRow);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    m_ui.LoadProgressBar->setParent(loadRow);
    rowLayout->addWidget(m_ui.LoadProgressBar, 1);
    m_ui.LoadStopButton = new QPushButton(loadRow);
    m_ui.LoadStopButton->setObjectName(u"LoadStopButton"_s);
    m_ui.LoadStopButton->setText(caption(LangEntry::LoadStop));
    m_ui.LoadStopButton->setToolTip(caption(LangEntry::LoadStopTip));
    m_ui.LoadStopButton->setVisible(isLoading());
    m_ui.LoadProgressBar->setVisible(isLoading());
    rowLayout->addWidget(m_ui.LoadStopButton);
    if (auto *page = qobject_cast<QBoxLayout *>(m_ui.SSTab1Page0->layout()))
        page->insertWidget(1, loadRow);
    connect(m_ui.LoadStopButton, &QPushButton::clicked, this, &frmMain::StopLoad);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    // One shortcut for both kinds of long work (two for the same key would
    // be ambiguous and neither would fire).
    connect(escape, &QShortcut::activated, this, [this] {
        if (isLoading())
            StopLoad();
        else if (isSearching())
            StopSearch();
        else if (m_controllers.find &&
                 (m_controllers.find->isNarrowed() || m_controllers.find->isBusy()))
            m_controllers.find->widen();
    });

    m_keptList = std::make_unique<KeptList>(
        *this, *m_session,
        KeptListWidgets{m_ui.SSTab1, m_ui.Label1, m_ui.Label4, m_ui.Label6, m_ui.Label8,
                        m_ui.Label24, m_ui.TXT1, m_ui.Combo1, m_ui.mnuReload},
        KeptListZipState{
            [this] { return m_controllers.open->listFromZip(); },
            [this](bool fromZip) { m_controllers.open->restoreListFromZip(fromZip); }});

    m_fileGridColumns = new FileGridColumns(m_ui.iGrid2, &m_controllers.browse->model());
    m_fileGridColumns->fit();

    setupZipNotes();
}

// ClearViews: nothing of the list that was shown stays on screen.
void frmMain::ClearShownList()
{
    if (m_fileGridModel && m_fileGridModel->columnCount() >= 1)
        m_fileGridModel->setHeaderData(0, Qt::Horizontal, caption(LangEntry::GridName));
    m_ui.Label19->clear();
    m_ui.Label20->clear();
    m_ui.Label21->clear();
    SetDetailsHint(LangEntry::DetailsHint);
    m_titleListName.clear();
    UpdateWindowTitle();
}

// After a language change every text on screen reads in the new language.
// The captions are written by LoadLanguage; these are the texts that depend
// on what the window shows.
void frmMain::RetranslateShown()
{
    m_ui.UniLabel1->setText(caption(m_detailsHintEntry));
    // The counters, totals and the match count of the last search: their
    // words and numbers in the new language.
    rewriteNumberTexts();
    if (m_fileGridModel && m_fileGridModel->columnCount() >= 1 &&
        m_session->CurrentFolderItem() < 0)
        m_fileGridModel->setHeaderData(0, Qt::Horizontal, caption(LangEntry::GridName));
    if (m_ui.LoadStopButton) {
        m_ui.LoadStopButton->setText(caption(LangEntry::LoadStop));
        m_ui.LoadStopButton->setToolTip(caption(LangEntry::LoadStopTip));
    }
    if (m_controllers.zipNotes)
        m_controllers.zipNotes->retranslate();
    UpdateWindowTitle();
}

// The open page's counters of a list that is no longer shown.
void frmMain::ZeroOpenPageCounters()
{
    m_ui.Label1->setText(u"0"_s);
    m_ui.Label4->setText(u"0"_s);
    m_ui.Label6->setText(u"0"_s);
}

void frmMain::SetDetailsHint(LangEntry entry)
{
    m_detailsHintEntry = entry;
    m_ui.UniLabel1->setText(caption(entry));
}

// The program's name and version, then " - " and the list shown: the file's
// name, or for a member of a zip the member's name and the archive's name in
// brackets.
void frmMain::UpdateWindowTitle()
{
    QString title = caption(LangEntry::ProgramName) + u' ' + programVersion();
    if (!m_titleListName.isEmpty())
        title += u" - "_s + m_titleListName;
    setWindowTitle(literalWindowTitle(title));
}

void frmMain::ShowListInTitle()
{
    m_titleListName.clear();
    if (m_session->loadedList().fileFound && !m_session->CurrentListFile().isEmpty()) {
        m_titleListName = QFileInfo(m_session->CurrentListFile()).fileName();
        if (m_controllers.open->listFromZip() && !m_controllers.open->zipArchivePath().isEmpty())
            m_titleListName +=
                u" ("_s + QFileInfo(m_controllers.open->zipArchivePath()).fileName() + u')';
    }
    UpdateWindowTitle();
}

} // namespace corvane
