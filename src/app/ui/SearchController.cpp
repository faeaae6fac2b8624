// Each search re-reads CurrentListFile on a worker thread and writes the
// matches to the result file in the data folder; the window then loads that
// file as the search result. While a search runs, the commands that would
// read or replace the list are off; Esc or SearchStop gives it up and the
// list shown stays as it was.

#include "SearchController.h"

#include "CommandLock.h"
#include "DatePicker.h"
#include "FilterBox.h"
#include "OpenMessages.h"
#include "WindowContext.h"
#include "listfile/FolderTree.h"
#include "listfile/StateFile.h"
#include "search/ListSearch.h"
#include "search/WildcardPattern.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStringListModel>

#include <algorithm>

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

SearchController::SearchController(WindowContext &context, ListSession &session, CommandLock &lock,
                                   const SearchWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_session(session)
    , m_lock(lock)
    , m_w(widgets)
    , m_noFilter(u"(No Filter)"_s)
    , m_reload(u"(Reload)"_s)
    , m_job(u"ListSearch"_s, this)
    , m_words(u"StatusWords"_s, this)
{
    m_w.SearchProgressBar->setRange(0, BarRange);
    connect(m_w.SearchStop, &QPushButton::clicked, this, &SearchController::stop);
    // Esc stops a search through the window's one Esc shortcut.

    connect(m_w.TXT1, &QLineEdit::returnPressed, this, &SearchController::runTermSearch);
    m_recent = new QStringListModel(this);
    auto *completer = new QCompleter(m_recent, m_w.TXT1);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    m_w.TXT1->setCompleter(completer);
    m_w.TXT1->installEventFilter(this);

    m_w.Combo1->setEditable(true);
    m_w.Combo1->setInsertPolicy(QComboBox::NoInsert);
    applyFilterLanguage();
    m_w.Combo1->addItem(m_noFilter);
    m_w.Combo1->setMinimumContentsLength(12);
    setUpFilterBox(m_w.Combo1);

    m_w.SearchStop->setText(m_context.langText(LangEntry::SearchStop));
    setupDatePickers();
}

bool SearchController::eventFilter(QObject *watched, QEvent *event)
{
    // Down in the term box offers the recent terms.
    if (watched == m_w.TXT1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down &&
        !m_w.TXT1->completer()->popup()->isVisible()) {
        m_w.TXT1->completer()->setCompletionPrefix(QString());
        m_w.TXT1->completer()->complete();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void SearchController::readRecentTerms(const QString &dataFolder)
{
    if (dataFolder.isEmpty())
        return;
    const QString path = recentTermsPath(dataFolder);
    const StateFileRead read = readStateFile(path, RecentTermsMaxBytes);
    m_context.ReportIgnoredStateFile(path, read.problem);
    QStringList terms;
    for (const QByteArray &line : read.bytes.split('\n')) {
        if (!line.isEmpty() && terms.size() < RecentTermCount)
            terms << QString::fromUtf8(line);
    }
    m_recent->setStringList(terms);
}

QStringList SearchController::recentTerms() const
{
    return m_recent->stringList();
}

bool SearchController::isSearching() const
{
    return m_job.isRunning();
}

void SearchController::stop()
{
    if (isSearching()) {
        m_job.stop();
        m_w.SearchStop->setEnabled(false);
    }
}

void SearchController::runTermSearch()
{
    if (isSearching() || m_session.isLoading())
        return;
    m_w.mnuReload->setEnabled(true);
    const QString term = m_w.TXT1->text();
    if (term.isEmpty())
        return;
    addRecentTerm(term);
    start(Kind::Term, termCriterion(term));
}

bool SearchController::runPickedLines(const std::shared_ptr<LineCriterion> &criterion)
{
    if (isSearching() || m_session.isLoading())
        return false;
    start(Kind::Picked, criterion);
    return true;
}

void SearchController::runDateSearch()
{
    if (isSearching() || m_session.isLoading() || !checkSearchDates())
        return;
    start(Kind::Date,
          dateCriterion(m_w.DTPicker1->date(), m_w.DTPicker2->date(), m_context.userLocale()));
}

void SearchController::runPresetFilterFor(const QString &status)
{
    int at = m_w.Combo1->findText(status, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (at < 0) {
        m_w.Combo1->addItem(status);
        at = m_w.Combo1->count() - 1;
    }
    m_w.Combo1->setCurrentIndex(at);
    runPresetFilter();
}

void SearchController::runPresetFilter()
{
    if (isSearching() || m_session.isLoading())
        return;
    m_w.mnuReload->setEnabled(true);
    const QString text = m_w.Combo1->currentText();
    if (text == m_noFilter)
        return;
    if (text == m_reload) {
        Q_EMIT reloadRequested();
        return;
    }
    start(Kind::Filter, statusCriterion(text));
}

void SearchController::rememberFolderForReload()
{
    const qint32 item = m_session.CurrentFolderItem();
    m_restoreFolder = item > 0;
    m_folderNames = item > 0 ? m_session.loadedList().SftTree1.namesBelowRoot(item) : QStringList();
}

QString SearchController::countText(Kind kind, qint64 count) const
{
    const QString number = m_context.formatCountShown(count);
    if (kind == Kind::Date)
        return m_context.langText(LangEntry::FoundWord) + number;
    return m_context.langText(LangEntry::MatchesWord) + u": "_s + number;
}

// The count in the language in use, and in the next one after a change.
void SearchController::showCount(Kind kind, qint64 count)
{
    m_context.ShowNumberText(m_w.Label24, [this, kind, count] { return countText(kind, count); });
}

void SearchController::restoreCount()
{
    if (m_countBefore)
        m_context.ShowNumberText(m_w.Label24, m_countBefore);
    else
        m_w.Label24->setText(m_label24Before);
}

void SearchController::lock(bool on)
{
    if (on) {
        m_lock.hold(CommandLock::Reason::Searching);
        m_w.SearchProgressBar->setValue(0);
        m_w.SearchProgressBar->show();
        m_w.SearchStop->show();
        m_w.SearchStop->setEnabled(true);
        return;
    }
    m_lock.release(CommandLock::Reason::Searching);
    m_w.SearchProgressBar->hide();
    m_w.SearchStop->hide();
}

void SearchController::showProgress(const SearchProgress &progress)
{
    if (progress.bytesTotal > 0)
        m_w.SearchProgressBar->setValue(int(
            std::clamp<qint64>(progress.bytesDone * BarRange / progress.bytesTotal, 0, BarRange)));
    showCount(m_kind, progress.matches);
}

void SearchController::start(Kind kind, const std::shared_ptr<LineCriterion> &criterion)
{
    if (m_job.isRunning() || m_session.isLoading())
        return;
    m_kind = kind;
    m_label24Before = m_w.Label24->text();
    m_countBefore = m_context.numberTextOf(m_w.Label24);
    const QString list = m_session.CurrentListFile();
    const QString resultPath = resultFilePathFor(m_context.dataFolder(), list);
    lock(true);
    m_w.Label8->setText(m_context.langText(kind == Kind::Date ? LangEntry::SearchingByDate
                                                              : LangEntry::SearchingList));
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

void SearchController::finish(Kind kind, const SearchOutcome &outcome, const QString &resultPath)
{
    lock(false);
    if (outcome.stopped) {
        restoreCount();
        m_w.Label8->setText(m_context.langText(LangEntry::SearchStopped));
        return;
    }
    Prompts &prompts = m_context.prompts();
    switch (outcome.failure) {
    case SearchOutcome::Failure::None:
        break;
    case SearchOutcome::Failure::ResultNotCreated:
    case SearchOutcome::Failure::ResultNotWritten:
        // Nothing half-written is loaded: the list shown stays.
        restoreCount();
        m_w.Label8->clear();
        prompts.warning(m_context.promptParent(), m_context.langText(LangEntry::ResultNotWritable),
                        m_context.systemErrorTitle(), true);
        return;
    case SearchOutcome::Failure::ListUnreadable:
        restoreCount();
        m_w.Label8->clear();
        prompts.warning(m_context.promptParent(),
                        m_context.langText(LangEntry::ResultReadCutShort) + u"\n"_s +
                            QDir::toNativeSeparators(m_session.CurrentListFile()) + u"\n"_s +
                            outcome.error,
                        m_context.errorTitle(), true);
        return;
    }
    if (!outcome.listFound) {
        // The opened list is gone or is no file any more: that is no answer
        // to the search, and the list shown stays.
        restoreCount();
        m_w.Label8->clear();
        prompts.warning(m_context.promptParent(),
                        listNotReadText(m_context, m_session.CurrentListFile(), outcome.error),
                        m_context.errorTitle(), true);
        return;
    }
    showCount(kind, outcome.matches);
    if (outcome.matches == 0) {
        // Nothing to show: the list shown stays, with the message.
        m_w.Label8->clear();
        prompts.warning(m_context.promptParent(), m_context.langText(LangEntry::NoMatches),
                        m_context.langText(LangEntry::NoMatchesTitle), false);
        return;
    }
    m_w.Label8->setText(m_context.langText(LangEntry::LoadingList));
    // The list shown stays until the result is in: Esc while it loads
    // leaves it as it was.
    Q_EMIT loadResultRequested(resultPath, m_label24Before);
}

// A search result is in: the criteria boxes say which search it is, and the
// grid shows the first folder that holds matches.
void SearchController::resultShown()
{
    const Kind kind = m_kind;
    if (kind == Kind::Filter && m_w.Combo1->findText(m_reload) < 0)
        m_w.Combo1->addItem(m_reload);
    if (kind != Kind::Term)
        m_w.TXT1->clear();
    if (kind != Kind::Filter)
        m_w.Combo1->setCurrentText(m_noFilter);
    const int folder =
        firstFolderWithLines(m_session.loadedList().SftTree1, m_session.folderTotals());
    if (folder >= 0)
        Q_EMIT showFolderRequested(folder);
}

void SearchController::addRecentTerm(const QString &term)
{
    QStringList terms = m_recent->stringList();
    terms.removeAll(term);
    terms.prepend(term);
    while (terms.size() > RecentTermCount)
        terms.removeLast();
    m_recent->setStringList(terms);
    const QString path = recentTermsPath(m_context.dataFolder());
    if (m_context.dataFolder().isEmpty())
        return;
    m_context.ReportIgnoredStateFile(
        path, writeStateFile(path, QByteArray(terms.join(u'\n').toUtf8() + '\n')));
}

// After the opened list is in (not a search result): its status words for
// Combo1, gathered from the loaded bytes on a pool thread.
void SearchController::collectListWords()
{
    const LineStore &store = m_session.loadedList().iGrid1;
    m_words.start(
        [bytes = store.bytes(), encoding = store.encoding()](const JobRun &run) {
            return corvane::collectStatusWords(bytes, encoding, StatusWordLimit, run.stopFlag());
        },
        [this](const QList<std::pair<QString, qint64>> &words) { fillCombo(words); });
}

void SearchController::fillCombo(const QList<std::pair<QString, qint64>> &words)
{
    QComboBox *combo = m_w.Combo1;
    const QString current = combo->currentText();
    const bool hadReload = combo->findText(m_reload) >= 0;
    combo->clear();
    combo->addItem(m_noFilter);
    for (const auto &[word, count] : words) {
        combo->addItem(word);
        combo->setItemData(combo->count() - 1, m_context.formatCountShown(count), Qt::ToolTipRole);
        combo->setItemData(combo->count() - 1, count, WordCountRole);
    }
    if (hadReload)
        combo->addItem(m_reload);
    combo->setCurrentText(current.isEmpty() ? m_noFilter : current);
}

void SearchController::retranslate()
{
    m_w.SearchStop->setText(m_context.langText(LangEntry::SearchStop));
    applyFilterLanguage();
    applyDatePickerLanguage();
}

// Combo1's own entries and the counts of its words in the language in use;
// the entry shown stays the one it was.
void SearchController::applyFilterLanguage()
{
    const auto wording = [this](LangEntry entry, const QString &english) {
        const QString text = m_context.langText(entry);
        return text.isEmpty() ? english : text;
    };
    const QString noFilter = wording(LangEntry::NoFilter, u"(No Filter)"_s);
    const QString reload = wording(LangEntry::ReloadFilter, u"(Reload)"_s);
    QComboBox *combo = m_w.Combo1;
    const QString current = combo->currentText();
    if (const int at = combo->findText(m_noFilter); at >= 0)
        combo->setItemText(at, noFilter);
    if (const int at = combo->findText(m_reload); at >= 0)
        combo->setItemText(at, reload);
    for (int i = 0; i < combo->count(); ++i) {
        const QVariant count = combo->itemData(i, WordCountRole);
        if (count.isValid())
            combo->setItemData(i, m_context.formatCountShown(count.toLongLong()), Qt::ToolTipRole);
    }
    if (current == m_noFilter)
        combo->setCurrentText(noFilter);
    else if (current == m_reload)
        combo->setCurrentText(reload);
    m_noFilter = noFilter;
    m_reload = reload;
}

void SearchController::listLoadEnded(ListSession::LoadKind kind, bool stopped, bool keptShown)
{
    if (kind == ListSession::LoadKind::SearchResult) {
        if (!stopped)
            resultShown();
        return;
    }
    if (keptShown) {
        // A reload that was stopped: the list and its criteria are as they were.
        m_restoreFolder = false;
        return;
    }
    // A list opened or read again: no search describes it.
    m_w.Label24->clear();
    m_w.TXT1->clear();
    m_w.Combo1->setCurrentText(m_noFilter);
    collectListWords();
    if (m_restoreFolder) {
        m_restoreFolder = false;
        const int item = m_session.loadedList().SftTree1.findPath(m_folderNames);
        if (item > 0)
            Q_EMIT showFolderRequested(item);
    }
}

} // namespace corvane
