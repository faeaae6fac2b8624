// The term search (Command3, Enter in TXT1), the date search (Command4) and
// the preset filter (Command5). Each re-reads CurrentListFile on a worker
// thread, writes the matches to the result file in dataFolder(), then calls
// ClearViews() and LoadListFile() with it. While a search runs, the commands
// that would read or replace the list are off; Esc or SearchStop gives it up
// and the list shown stays as it was.

#include "FilterBox.h"
#include "browse/ui/FolderTreeModel.h"
#include "frmMain.h"
#include "listfile/SizeText.h"
#include "search/ListSearch.h"
#include "search/WildcardPattern.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
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

const QString NoFilter = u"(No Filter)"_s;
const QString ReloadEntry = u"(Reload)"_s;
constexpr int RecentTermCount = 10;
// Ten terms of a line each: a bigger file is not ours and is not read.
constexpr qint64 RecentTermsMaxBytes = 64 * 1024;
constexpr int StatusWordLimit = 300;
constexpr int BarRange = 1000;

QString recentTermsPath(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(u"RecentTerms.txt"_s);
}

} // namespace

class SearchParts : public QObject
{
public:
    enum class Kind { Term, Date, Filter };

    explicit SearchParts(frmMain &window) : QObject(&window), w(window) {}

    ~SearchParts() override
    {
        if (m_wordsStop)
            *m_wordsStop = true;
        if (m_thread) {
            m_stop = true;
            m_thread->disconnect(this);
            m_thread->wait();
            delete m_thread;
            QApplication::restoreOverrideCursor();
        }
    }

    frmMain &w;
    QThread *m_thread = nullptr;
    std::atomic<bool> m_stop{false};
    std::shared_ptr<std::atomic<bool>> m_wordsStop;
    QStringListModel *m_recent = nullptr;
    bool m_loadingResult = false;
    bool m_restoreFolder = false;
    QStringList m_folderNames;
    int m_listGeneration = 0;
    QString m_label24Before;
    Kind m_kind = Kind::Term;
    struct Saved
    {
        QObject *object;
        bool enabled;
    };
    std::vector<Saved> m_saved;

    void start(Kind kind, std::shared_ptr<LineCriterion> criterion);
    void finish(Kind kind, const SearchOutcome &outcome, const QString &resultPath);
    void lock(bool on);
    void showProgress(const SearchProgress &progress);
    QString countText(Kind kind, qint64 count) const;
    void addRecentTerm(const QString &term);
    void collectStatusWords();
    void fillCombo(const QList<std::pair<QString, qint64>> &words);
    void applyPickerLocale();
    void opened();

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
    const QString number = formatCount(count, w.userLocale());
    if (kind == Kind::Date)
        return w.langText(90) + number;
    return w.langText(38) + u": "_s + number;
}

void SearchParts::lock(bool on)
{
    if (on) {
        const QList<QObject *> locked = {w.Frame2,
                                         w.Frame3,
                                         w.Command3,
                                         w.Command4,
                                         w.Command5,
                                         w.TXT1,
                                         w.Combo1,
                                         w.DTPicker1,
                                         w.DTPicker2,
                                         w.mnuMenu->menuAction(),
                                         w.mnuLan->menuAction()};
        m_saved.clear();
        for (QObject *object : locked) {
            bool enabled = true;
            if (auto *widget = qobject_cast<QWidget *>(object)) {
                enabled = !widget->testAttribute(Qt::WA_ForceDisabled);
                widget->setEnabled(false);
            } else if (auto *action = qobject_cast<QAction *>(object)) {
                enabled = action->isEnabled() || !action->isVisible();
                action->setEnabled(false);
            }
            m_saved.push_back({object, enabled});
        }
        w.SearchProgressBar->setValue(0);
        w.SearchProgressBar->show();
        w.SearchStop->show();
        w.SearchStop->setEnabled(true);
        QApplication::setOverrideCursor(Qt::BusyCursor);
        return;
    }
    for (const Saved &saved : m_saved) {
        if (auto *widget = qobject_cast<QWidget *>(saved.object))
            widget->setEnabled(saved.enabled);
        else if (auto *action = qobject_cast<QAction *>(saved.object))
            action->setEnabled(saved.enabled);
    }
    m_saved.clear();
    w.SearchProgressBar->hide();
    w.SearchStop->hide();
    QApplication::restoreOverrideCursor();
}

void SearchParts::showProgress(const SearchProgress &progress)
{
    if (!m_thread)
        return;
    if (progress.bytesTotal > 0)
        w.SearchProgressBar->setValue(int(
            std::clamp<qint64>(progress.bytesDone * BarRange / progress.bytesTotal, 0, BarRange)));
    w.Label24->setText(countText(m_kind, progress.matches));
}

void SearchParts::start(Kind kind, std::shared_ptr<LineCriterion> criterion)
{
    if (m_thread || w.isLoading())
        return;
    m_kind = kind;
    m_stop = false;
    m_label24Before = w.Label24->text();
    const QString list = w.CurrentListFile;
    const QString resultPath = resultFilePathFor(w.dataFolder(), list);
    lock(true);
    w.Label8->setText(w.langText(kind == Kind::Date ? 39 : 93));
    w.Label24->setText(countText(kind, 0));

    SearchOptions options;
    options.stop = &m_stop;
    options.progress = [this](const SearchProgress &progress) {
        QMetaObject::invokeMethod(
            this, [this, progress] { showProgress(progress); }, Qt::QueuedConnection);
    };
    auto outcome = std::make_shared<SearchOutcome>();
    m_thread = QThread::create([list, resultPath, criterion, options, outcome] {
        *outcome = searchToResultFile(list, *criterion, resultPath, options);
    });
    m_thread->setObjectName(u"ListSearch"_s);
    connect(m_thread, &QThread::finished, this, [this, kind, outcome, resultPath] {
        m_thread->deleteLater();
        m_thread = nullptr;
        finish(kind, *outcome, resultPath);
    });
    m_thread->start();
}

void SearchParts::finish(Kind kind, const SearchOutcome &outcome, const QString &resultPath)
{
    lock(false);
    if (outcome.stopped) {
        w.Label24->setText(m_label24Before);
        w.Label8->setText(w.langText(94));
        return;
    }
    switch (outcome.failure) {
    case SearchOutcome::Failure::None:
        break;
    case SearchOutcome::Failure::ResultNotCreated:
    case SearchOutcome::Failure::ResultNotWritten:
        // Nothing half-written is loaded: the list shown stays.
        w.Label24->setText(m_label24Before);
        w.Label8->clear();
        w.prompts().warning(&w, w.langText(42), u"System error!"_s, true);
        return;
    case SearchOutcome::Failure::ListUnreadable:
        w.Label24->setText(m_label24Before);
        w.Label8->clear();
        w.prompts().warning(&w,
                            w.langText(95) + u"\n"_s + QDir::toNativeSeparators(w.CurrentListFile) +
                                u"\n"_s + outcome.error,
                            u"Error"_s, true);
        return;
    }
    w.Label24->setText(countText(kind, outcome.matches));
    if (kind == Kind::Filter && outcome.matches == 0) {
        w.Label8->clear();
        w.prompts().warning(&w, w.langText(92), u"No matches found"_s, false);
        return;
    }
    w.Label8->setText(w.langText(36));
    w.ClearViews();
    m_loadingResult = true;
    // The window wrote this file itself: it is UTF-16LE, which a result of
    // non-Latin names does not show by its bytes.
    const bool started = w.LoadListFile(
        resultPath,
        [this, kind] {
            if (kind == Kind::Filter && w.Combo1->findText(ReloadEntry) < 0)
                w.Combo1->addItem(ReloadEntry);
        },
        ListFileEncoding::Utf16LE);
    if (!started)
        m_loadingResult = false;
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
void SearchParts::collectStatusWords()
{
    const int generation = ++m_listGeneration;
    if (m_wordsStop)
        *m_wordsStop = true;
    m_wordsStop = std::make_shared<std::atomic<bool>>(false);
    const LineStore &store = w.loadedList().iGrid1;
    const QByteArray bytes = store.bytes();
    const ListEncoding encoding = store.encoding();
    auto stop = m_wordsStop;
    QPointer<SearchParts> self(this);
    QThreadPool::globalInstance()->start([self, bytes, encoding, stop, generation] {
        auto words = corvane::collectStatusWords(bytes, encoding, StatusWordLimit, stop.get());
        if (*stop)
            return;
        QMetaObject::invokeMethod(
            qApp,
            [self, words, generation] {
                if (self && generation == self->m_listGeneration)
                    self->fillCombo(words);
            },
            Qt::QueuedConnection);
    });
}

void SearchParts::fillCombo(const QList<std::pair<QString, qint64>> &words)
{
    const QString current = w.Combo1->currentText();
    const bool hadReload = w.Combo1->findText(ReloadEntry) >= 0;
    w.Combo1->clear();
    w.Combo1->addItem(NoFilter);
    for (const auto &[word, count] : words) {
        w.Combo1->addItem(word);
        w.Combo1->setItemData(w.Combo1->count() - 1, formatCount(count, w.userLocale()),
                              Qt::ToolTipRole);
    }
    if (hadReload)
        w.Combo1->addItem(ReloadEntry);
    w.Combo1->setCurrentText(current.isEmpty() ? NoFilter : current);
}

void SearchParts::applyPickerLocale()
{
    const QLocale locale = localeForLanguage(w.currentLanguage());
    for (QDateEdit *picker : {w.DTPicker1, w.DTPicker2}) {
        picker->setLocale(locale);
        picker->calendarWidget()->setLocale(locale);
        picker->setDisplayFormat(locale.dateFormat(QLocale::ShortFormat));
    }
    w.SearchStop->setText(w.langText(91));
}

void SearchParts::opened()
{
    if (m_loadingResult) {
        m_loadingResult = false;
        return;
    }
    collectStatusWords();
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
    m_search = new SearchParts(*this);

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
    Combo1->addItem(NoFilter);
    Combo1->setMinimumContentsLength(12);
    setUpFilterBox(Combo1);

    m_search->applyPickerLocale();
    connect(this, &frmMain::languageChanged, m_search, [this] { m_search->applyPickerLocale(); });
    connect(this, &frmMain::listLoaded, m_search, [this] { m_search->opened(); });
}

bool frmMain::isSearching() const
{
    return m_search && m_search->m_thread;
}

void frmMain::StopSearch()
{
    if (isSearching()) {
        m_search->m_stop = true;
        SearchStop->setEnabled(false);
    }
}

QStringList frmMain::recentTerms() const
{
    return m_search->m_recent->stringList();
}

void frmMain::RememberFolderForReload()
{
    m_search->m_restoreFolder = CurrentFolderItem > 0;
    m_search->m_folderNames = CurrentFolderItem > 0
                                  ? m_loadedList.SftTree1.namesBelowRoot(CurrentFolderItem)
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
    if (isSearching() || isLoading())
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
    if (text == NoFilter)
        return;
    if (text == ReloadEntry) {
        mnuReload_Click();
        return;
    }
    m_search->start(SearchParts::Kind::Filter, statusCriterion(text));
}

} // namespace corvane
