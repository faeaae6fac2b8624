#pragma once

// The list shown, kept while a reload or a search result loads: if that load
// is stopped, the window goes back to it instead of to empty views.
//
// keep() is called just before such a load starts and remembers what the
// window shows now: the session's CurrentListFile, RootPrefix and
// CurrentFolderItem, whether the list came from a zip, the open page's
// counters (Label1, Label4, Label6), the match count (Label24), the criteria
// (TXT1, Combo1), the pages (SSTab1) and "Reload" (mnuReload). The load takes
// it with takeForLoad(); a stopped load puts it all back with restore(), and
// Label8 then says why (the entry given to keep()). Sends nothing.

#include "app/language/LangEntry.h"

#include <QString>

#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace corvane {

class ListSession;
class WindowContext;

struct KeptListWidgets
{
    QTabWidget *SSTab1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label24 = nullptr;
    QLineEdit *TXT1 = nullptr;
    QComboBox *Combo1 = nullptr;
    QAction *mnuReload = nullptr;
};

// Whether the list shown came from a zip (the open command's), read and put back.
struct KeptListZipState
{
    std::function<bool()> fromZip;
    std::function<void(bool)> restoreFromZip;
};

class KeptList
{
public:
    KeptList(WindowContext &context, ListSession &session, const KeptListWidgets &widgets,
             KeptListZipState zip);

    // For the next load only: the list shown now stays until the new one is
    // in. label24 is what Label24 shows again if the load is stopped.
    void keep(LangEntry stoppedEntry, const QString &label24);
    // The next load starts (true) or is refused (false): the kept list
    // becomes that load's, or is dropped.
    void takeForLoad(bool started);
    // The load ended with a list shown: nothing is kept any more.
    void loadEnded() { m_kept.reset(); }
    // The load was stopped: true when a list was kept for it and is shown
    // again; false when there was none (the window empties its views).
    bool restore();
    // The last load was stopped and the list shown before it stayed.
    bool lastLoadKeptShown() const { return m_lastLoadKeptShown; }

private:
    struct Shown
    {
        QString listFile;
        QString rootPrefix;
        bool fromZip = false;
        qint32 folderItem = -1;
        QString folders, files, bytes; // Label1, Label4, Label6
        QString label24;
        QString term;   // TXT1
        QString filter; // Combo1
        bool viewPageEnabled = false;
        int page = 0;
        bool reloadEnabled = false;
        LangEntry stoppedEntry{};
    };

    WindowContext &m_context;
    ListSession &m_session;
    KeptListWidgets m_w;
    KeptListZipState m_zip;
    std::optional<Shown> m_keepForNextLoad; // taken by the next load
    std::optional<Shown> m_kept;            // the running load's
    bool m_lastLoadKeptShown = false;
};

} // namespace corvane
