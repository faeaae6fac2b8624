#include "KeptList.h"

#include "ListSession.h"
#include "WindowContext.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <utility>

namespace corvane {

KeptList::KeptList(WindowContext &context, ListSession &session, const KeptListWidgets &widgets,
                   KeptListZipState zip)
    : m_context(context), m_session(session), m_w(widgets), m_zip(std::move(zip))
{}

void KeptList::keep(LangEntry stoppedEntry, const QString &label24)
{
    Shown kept;
    kept.listFile = m_session.CurrentListFile();
    kept.rootPrefix = m_session.RootPrefix();
    kept.fromZip = m_zip.fromZip();
    kept.folderItem = m_session.CurrentFolderItem();
    kept.folders = m_w.Label1->text();
    kept.files = m_w.Label4->text();
    kept.bytes = m_w.Label6->text();
    kept.label24 = label24;
    kept.term = m_w.TXT1->text();
    kept.filter = m_w.Combo1->currentText();
    kept.viewPageEnabled = m_w.SSTab1->isTabEnabled(1);
    kept.page = m_w.SSTab1->currentIndex();
    kept.reloadEnabled = m_w.mnuReload->isEnabled();
    kept.stoppedEntry = stoppedEntry;
    m_keepForNextLoad = std::move(kept);
}

void KeptList::takeForLoad(bool started)
{
    if (!started) {
        m_keepForNextLoad.reset();
        return;
    }
    m_kept = std::exchange(m_keepForNextLoad, std::nullopt);
    m_lastLoadKeptShown = false;
}

// The list kept for a load that was stopped: shown as it was, from the file
// it came from; the load's counters go.
bool KeptList::restore()
{
    if (!m_kept)
        return false;
    const Shown kept = std::move(*m_kept);
    m_kept.reset();
    m_lastLoadKeptShown = true;
    m_session.setCurrentListFile(kept.listFile);
    m_session.setRootPrefix(kept.rootPrefix);
    m_zip.restoreFromZip(kept.fromZip);
    m_session.setCurrentFolderItem(kept.folderItem);
    m_w.Label1->setText(kept.folders);
    m_w.Label4->setText(kept.files);
    m_w.Label6->setText(kept.bytes);
    m_w.Label24->setText(kept.label24);
    m_w.TXT1->setText(kept.term);
    m_w.Combo1->setCurrentText(kept.filter);
    m_w.mnuReload->setEnabled(kept.reloadEnabled);
    m_w.SSTab1->setTabEnabled(1, kept.viewPageEnabled);
    m_w.SSTab1->setCurrentIndex(kept.page);
    m_w.Label8->setText(m_context.caption(kept.stoppedEntry));
    return true;
}

} // namespace corvane
