// The term search (Command3, Enter in TXT1), the date search (Command4) and
// the preset filter (Command5). Each re-reads CurrentListFile on a worker
// thread, writes the matches to the result file in dataFolder(), then calls
// ClearViews() and LoadListFile() with it. While a search runs, the commands
// that would read or replace the list are off; Esc or SearchStop gives it up
// and the list shown stays as it was.

#include "CommandLock.h"
#include "DatePicker.h"
#include "FilterBox.h"
#include "browse/ui/FolderTreeModel.h"
#include "frmMain.h"
#include "listfile/FolderTree.h"
#include "listfile/SizeText.h"
#include "search/ListSearch.h"
#include "search/WildcardPattern.h"
#include "util/BackgroundJob.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStringListModel>
#include <QTabWidget>
#include <QThread>
#include <QThreadPool>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// A status word's count, for its tooltip in any language.
constexpr int WordCountRole = Qt::UserRole + 1;
constexpr int RecentTermCount = 10;
// Ten terms of a line each: a bigger file is not ours and is not read.
constexpr qint64 RecentTermsMaxBytes = 64 * 1024;
constexpr int StatusWordLimit = 300;
constexpr int BarRange = 1000;

QString recentTermsPath(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(u"RecentTerms.txt"_s);
}

// The first folder in the tree's order that holds lines itself (not only
// below it): where a search result has something to show. Root when the
// totals cannot tell; -1 for an empty tree.
int firstFolderWithLines(const FolderTree &tree, const FolderTotals &totals)
{
    if (tree.isEmpty())
        return -1;
    if (totals.folderCount() != tree.count())
        return 0;
    int item = 0;
    for (;;) {
        const FolderTree::Item &folder = tree.item(item);
        qint64 below = 0;
        int next = -1;
        for (int row = 0; row < folder.childCount; ++row) {
            const int child = tree.child(item, row);
            const qint32 lines = totals.files(child);
            below += lines;
            if (next < 0 && lines > 0)
                next = child;
        }
        if (next < 0 || totals.files(item) > below)
            return item;
        item = next;
    }
}

} // namespace

class SearchParts : public QObject
{
public:
    enum class Kind { Term, Date, Filter };

    SearchParts(frmMain &window, CommandLock &lock)
        : QObject(&window)
        , w(window)
        , m_lock(lock)
        , m_job(u"ListSearch"_s, this)
        , m_words(u"StatusWords"_s, this)
    {}

    frmMain &w;
    CommandLock &m_lock;
    BackgroundJob m_job;   // the search
    BackgroundJob m_words; // the status words of the list opened
    QStringListModel *m_recent = nullptr;
    bool m_restoreFolder = false;
    QStringList m_folderNames;
    QString m_noFilter = u"(No Filter)"_s;
    QString m_reload = u"(Reload)"_s;
    QString m_label24Before;
    std::function<QString()> m_countBefore; // Label24's count in any language
    Kind m_kind = Kind::Term;

    void start(Kind kind, std::shared_ptr<LineCriterion> criterion);
    void finish(Kind kind, const SearchOutcome &outcome, const QString &resultPath);
    void resultShown();
    void lock(bool on);
    void showProgress(const SearchProgress &progress);
    QString countText(Kind kind, qint64 count) const;
    void showCount(Kind kind, qint64 count);
    void restoreCount();
    void applyLanguage();
    void addRecentTerm(const QString &term);
    void collectListWords();
    void fillCombo(const QList<std::pair<QString, qint64>> &words);
    void applyPickerLocale();
    void loadEnded(ListSession::LoadKind kind, bool stopped);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Down in the term box offers the recent terms.
        if (watched == w.TXT1 && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down &&
            !w.TXT1->completer()->popup()->isVisible()) {
            w.TXT1->completer()->setCompletionPrefix(QString());
            w.TXT1->completer()->complete();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

QString SearchParts::countText(Kind kind, qint64 count) const
{
    const QString number = w.formatCountShown(count);
    if (kind == Kind::Date)
        return w.langText(LangEntry::FoundWord) + number;
    return w.langText(LangEntry::MatchesWord) + u": "_s + number;
}

// The count in the language in use, and in the next one after a change.
void SearchParts::showCount(Kind kind, qint64 count)
{
    w.ShowNumberText(w.Label24, [this, kind, count] { return countText(kind, count); });
}

void SearchParts::restoreCount()
{
    if (m_countBefore)
        w.ShowNumberText(w.Label24, m_countBefore);
    else
        w.Label24->setText(m_label24Before);
}

void SearchParts::lock(bool on)
{
    if (on) {
        m_lock.hold(CommandLock::Reason::Searching);
        w.SearchProgressBar->setValue(0);
        w.SearchProgressBar->show();
        w.SearchStop->show();
        w.SearchStop->setEnabled(true);
        return;
    }
    m_lock.release(CommandLock::Reason::Searching);
    w.SearchProgressBar->hide();
    w.SearchStop->hide();
}

void SearchParts::showProgress(const SearchProgress &progress)
{
    if (progress.bytesTotal > 0)
        w.SearchProgressBar->setValue(int(
            std::clamp<qint64>(progress.bytesDone * BarRange / progress.bytesTotal, 0, BarRange)));
    showCount(m_kind, progress.matches);
}

void SearchParts::start(Kind kind, std::shared_ptr<LineCriterion> criterion)
{
    if (m_job.isRunning() || w.isLoading())
        return;
    m_kind = kind;
    m_label24Before = w.Label24->text();
    m_countBefore = w.numberTextOf(w.Label24);
    const QString list = w.session().CurrentListFile();
    const QString resultPath = resultFilePathFor(w.dataFolder(), list);
    lock(true);
    w.Label8->setText(
        w.langText(kind == Kind::Date ? LangEntry::SearchingByDate : LangEntry::SearchingList));
    showCount(kind, 0);

    m_job.start(
        [this, list, resultPath, criterion](const JobRun &run) {
            SearchOptions options;
            options.stop = run.stopFlag();
            options.progress = [this, &run](const SearchProgress &progress) {
                run.report([this, progress] { showProgress(progress); });
            };
            return searchToResultFile(list, *criterion, resultPath, options);
        },
        [this, kind, resultPath](const SearchOutcome &outcome) {
            finish(kind, outcome, resultPath);
        });
}

void SearchParts::finish(Kind kind, const SearchOutcome &outcome, const QString &resultPath)
{
    lock(false);
    if (outcome.stopped) {
        restoreCount();
        w.Label8->setText(w.langText(LangEntry::SearchStopped));
        return;
    }
    switch (outcome.failure) {
    case SearchOutcome::Failure::None:
        break;
    case SearchOutcome::Failure::ResultNotCreated:
    case SearchOutcome::Failure::ResultNotWritten:
        // Nothing half-written is loaded: the list shown stays.
        restoreCount();
        w.Label8->clear();
        w.prompts().warning(&w, w.langText(LangEntry::ResultNotWritable), w.systemErrorTitle(),
                            true);
        return;
    case SearchOutcome::Failure::ListUnreadable:
        restoreCount();
        w.Label8->clear();
        w.prompts().warning(&w,
                            w.langText(LangEntry::ResultReadCutShort) + u"\n"_s +
                                QDir::toNativeSeparators(w.session().CurrentListFile()) + u"\n"_s +
                                outcome.error,
                            w.errorTitle(), true);
        return;
    }
    if (!outcome.listFound) {
        // The opened list is gone or is no file any more: that is no answer
        // to the search, and the list shown stays.
        restoreCount();
        w.Label8->clear();
        w.prompts().warning(&w, w.ListNotReadText(w.session().CurrentListFile(), outcome.error),
                            w.errorTitle(), true);
        return;
    }
    showCount(kind, outcome.matches);
    if (outcome.matches == 0) {
        // Nothing to show: the list shown stays, with the message.
        w.Label8->clear();
        w.prompts().warning(&w, w.langText(LangEntry::NoMatches),
                            w.langText(LangEntry::NoMatchesTitle), false);
        return;
    }
    w.Label8->setText(w.langText(LangEntry::LoadingList));
    // The list shown stays until the result is in: Esc while it loads
    // leaves it as it was.
    w.KeepShownListDuringLoad(LangEntry::SearchStopped, m_label24Before);
    // The window wrote this file itself: it is UTF-16LE, which a result of
    // non-Latin names does not show by its bytes.
    w.LoadListFile(resultPath, ListSession::LoadKind::SearchResult, ListFileEncoding::Utf16LE);
}

// A search result is in: the criteria boxes say which search it is, and the
// grid shows the first folder that holds matches.
void SearchParts::resultShown()
{
    const Kind kind = m_kind;
    if (kind == Kind::Filter && w.Combo1->findText(m_reload) < 0)
        w.Combo1->addItem(m_reload);
    if (kind != Kind::Term)
        w.TXT1->clear();
    if (kind != Kind::Filter)
        w.Combo1->setCurrentText(m_noFilter);
    const int folder = firstFolderWithLines(w.loadedList().SftTree1, w.folderTotals());
    if (folder >= 0)
        w.ShowFolder(folder);
}

void SearchParts::addRecentTerm(const QString &term)
{
    QStringList terms = m_recent->stringList();
    terms.removeAll(term);
    terms.prepend(term);
    while (terms.size() > RecentTermCount)
        terms.removeLast();
    m_recent->setStringList(terms);
    const QString path = recentTermsPath(w.dataFolder());
    if (w.dataFolder().isEmpty())
        return;
    w.ReportIgnoredStateFile(path,
                             writeStateFile(path, QByteArray(terms.join(u'\n').toUtf8() + '\n')));
}

// After the opened list is in (not a search result): its status words for
// Combo1, gathered from the loaded bytes on a pool thread.
void SearchParts::collectListWords()
{
    const LineStore &store = w.loadedList().iGrid1;
    m_words.start(
        [bytes = store.bytes(), encoding = store.encoding()](const JobRun &run) {
            return collectStatusWords(bytes, encoding, StatusWordLimit, run.stopFlag());
        },
        [this](const QList<std::pair<QString, qint64>> &words) { fillCombo(words); });
}

void SearchParts::fillCombo(const QList<std::pair<QString, qint64>> &words)
{
    const QString current = w.Combo1->currentText();
    const bool hadReload = w.Combo1->findText(m_reload) >= 0;
    w.Combo1->clear();
    w.Combo1->addItem(m_noFilter);
    for (const auto &[word, count] : words) {
        w.Combo1->addItem(word);
        w.Combo1->setItemData(w.Combo1->count() - 1, w.formatCountShown(count), Qt::ToolTipRole);
        w.Combo1->setItemData(w.Combo1->count() - 1, count, WordCountRole);
    }
    if (hadReload)
        w.Combo1->addItem(m_reload);
    w.Combo1->setCurrentText(current.isEmpty() ? m_noFilter : current);
}

// Combo1's own entries and the counts of its words in the language in use;
// the entry shown stays the one it was.
void SearchParts::applyLanguage()
{
    const auto wording = [this](LangEntry entry, const QString &english) {
        const QString text = w.langText(entry);
        return text.isEmpty() ? english : text;
    };
    const QString noFilter = wording(LangEntry::NoFilter, u"(No Filter)"_s);
    const QString reload = wording(LangEntry::ReloadFilter, u"(Reload)"_s);
    QComboBox *combo = w.Combo1;
    const QString current = combo->currentText();
    if (const int at = combo->findText(m_noFilter); at >= 0)
        combo->setItemText(at, noFilter);
    if (const int at = combo->findText(m_reload); at >= 0)
        combo->setItemText(at, reload);
    for (int i = 0; i < combo->count(); ++i) {
        const QVariant count = combo->itemData(i, WordCountRole);
        if (count.isValid())
            combo->setItemData(i, w.formatCountShown(count.toLongLong()), Qt::ToolTipRole);
    }
    if (current == m_noFilter)
        combo->setCurrentText(noFilter);
    else if (current == m_reload)
        combo->setCurrentText(reload);
    m_noFilter = noFilter;
    m_reload = reload;
}

void SearchParts::applyPickerLocale()
{
    // The pickers' own language: frmMain_dates.cpp.
    w.SearchStop->setText(w.langText(LangEntry::SearchStop));
}

// A load has ended (stopped: given up): a search result is shown with its
// criteria; any other list starts with none.
void SearchParts::loadEnded(ListSession::LoadKind kind, bool stopped)
{
    if (kind == ListSession::LoadKind::SearchResult) {
        if (!stopped)
            resultShown();
        return;
    }
    if (w.lastLoadKeptShown()) {
        // A reload that was stopped: the list and its criteria are as they were.
        m_restoreFolder = false;
        return;
    }
    // A list opened or read again: no search describes it.
    w.Label24->clear();
    w.TXT1->clear();
    w.Combo1->setCurrentText(m_noFilter);
    collectListWords();
    if (m_restoreFolder) {
        m_restoreFolder = false;
        const int item = w.loadedList().SftTree1.findPath(m_folderNames);
        if (item > 0)
            w.ShowFolder(item);
    }
}

// ---- frmMain --------------------------------------------------------------------

void frmMain::setupSearch()
{
    m_search = new SearchParts(*this, *m_lock);

    auto *grid = qobject_cast<QGridLayout *>(Frame4->layout());
    SearchProgressBar = new QProgressBar(Frame4);
    SearchProgressBar->setObjectName(u"SearchProgressBar"_s);
    SearchProgressBar->setRange(0, BarRange);
    SearchProgressBar->setTextVisible(false);
    SearchProgressBar->setMaximumHeight(fontMetrics().height());
    SearchProgressBar->hide();
    SearchStop = new QPushButton(Frame4);
    SearchStop->setObjectName(u"SearchStop"_s);
    SearchStop->hide();
    // The row keeps its room, so that the views do not jump when a search starts.
    for (QWidget *keep :
         {static_cast<QWidget *>(SearchProgressBar), static_cast<QWidget *>(SearchStop)}) {
        QSizePolicy policy = keep->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        keep->setSizePolicy(policy);
    }
    if (grid) {
        grid->addWidget(SearchProgressBar, 4, 1);
        grid->addWidget(SearchStop, 4, 2);
    }
    connect(SearchStop, &QPushButton::clicked, this, &frmMain::StopSearch);
    // Esc stops a search through the window's one Esc shortcut (frmMain_shown.cpp).

    connect(TXT1, &QLineEdit::returnPressed, this, &frmMain::Command3_Click);
    m_search->m_recent = new QStringListModel(m_search);
    if (!m_settings.dataFolder.isEmpty()) {
        const QString path = recentTermsPath(m_settings.dataFolder);
        const StateFileRead read = readStateFile(path, RecentTermsMaxBytes);
        ReportIgnoredStateFile(path, read.problem);
        QStringList terms;
        for (const QByteArray &line : read.bytes.split('\n')) {
            if (!line.isEmpty() && terms.size() < RecentTermCount)
                terms << QString::fromUtf8(line);
        }
        m_search->m_recent->setStringList(terms);
    }
    auto *completer = new QCompleter(m_search->m_recent, TXT1);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    TXT1->setCompleter(completer);
    TXT1->installEventFilter(m_search);

    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    m_search->applyLanguage();
    Combo1->addItem(m_search->m_noFilter);
    Combo1->setMinimumContentsLength(12);
    setUpFilterBox(Combo1);

    m_search->applyPickerLocale();
    connect(this, &frmMain::languageChanged, m_search, [this] { m_search->applyPickerLocale(); });
    connect(this, &frmMain::languageChanged, m_search, [this] { m_search->applyLanguage(); });
    connect(m_session, &ListSession::loaded, m_search,
            [this](ListSession::LoadKind kind) { m_search->loadEnded(kind, false); });
    connect(m_session, &ListSession::stopped, m_search,
            [this](ListSession::LoadKind kind) { m_search->loadEnded(kind, true); });
}

bool frmMain::isSearching() const
{
    return m_search && m_search->m_job.isRunning();
}

void frmMain::StopSearch()
{
    if (isSearching()) {
        m_search->m_job.stop();
        SearchStop->setEnabled(false);
    }
}

QStringList frmMain::recentTerms() const
{
    return m_search->m_recent->stringList();
}

void frmMain::RememberFolderForReload()
{
    m_search->m_restoreFolder = m_session->CurrentFolderItem() > 0;
    m_search->m_folderNames =
        m_session->CurrentFolderItem() > 0
            ? m_session->loadedList().SftTree1.namesBelowRoot(m_session->CurrentFolderItem())
            : QStringList();
}

void frmMain::Command3_Click()
{
    if (isSearching() || isLoading())
        return;
    mnuReload->setEnabled(true);
    const QString term = TXT1->text();
    if (term.isEmpty())
        return;
    m_search->addRecentTerm(term);
    m_search->start(SearchParts::Kind::Term, termCriterion(term));
}

void frmMain::Command4_Click()
{
    if (isSearching() || isLoading() || !CheckSearchDates())
        return;
    m_search->start(SearchParts::Kind::Date,
                    dateCriterion(DTPicker1->date(), DTPicker2->date(), m_settings.locale));
}

void frmMain::Command5_Click()
{
    if (isSearching() || isLoading())
        return;
    mnuReload->setEnabled(true);
    const QString text = Combo1->currentText();
    if (text == m_search->m_noFilter)
        return;
    if (text == m_search->m_reload) {
        mnuReload_Click();
        return;
    }
    m_search->start(SearchParts::Kind::Filter, statusCriterion(text));
}

} // namespace corvane
