#include "FindController.h"

#include "app/ui/ListSession.h"
#include "app/ui/WindowContext.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"
#include "util/PlainText.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTextCharFormat>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// The pause after a keystroke: typing on goes unseen until it stops.
constexpr int PauseMs = 100;

// The words of the box marked with a wavy red line. The text itself stays
// as typed: the marks are laid over it as an input method's are.
void markWords(QLineEdit *box, const std::vector<std::pair<int, int>> &spans)
{
    QList<QInputMethodEvent::Attribute> attributes;
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(Qt::red);
    for (const auto &[start, length] : spans)
        attributes.append(QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat,
                                                       start - box->cursorPosition(), length,
                                                       format));
    QInputMethodEvent event(QString(), attributes);
    QCoreApplication::sendEvent(box, &event);
}

} // namespace

std::vector<RecoveryLegend::StatusFigure> statusFiguresOf(const LoadedList &list,
                                                          const FindMatches &matches,
                                                          const std::atomic<bool> *stop)
{
    const FolderTotals &totals = list.totals;
    std::vector<RecoveryLegend::StatusFigure> figures(size_t(totals.statusCount()));
    if (totals.isEmpty())
        return figures;
    if (matches.all) {
        for (int s = 0; s < totals.statusCount(); ++s)
            figures[size_t(s)] = {totals.status(s).lines, totals.status(s).bytes};
        return figures;
    }
    QHash<QByteArray, int> byWord;
    int other = -1;
    int unknown = -1;
    for (int s = 0; s < totals.statusCount(); ++s) {
        const FolderTotals::Status &status = totals.status(s);
        if (status.kind == FolderTotals::StatusKind::Word)
            byWord.insert(status.rawWord, s);
        else if (status.kind == FolderTotals::StatusKind::Other)
            other = s;
        else
            unknown = s;
    }
    const LineStore &store = list.iGrid1;
    QByteArray previousWord;
    int previous = -1;
    qsizetype done = 0;
    for (const qint32 line : matches.lines) {
        if ((++done & 0xFFF) == 0 && stop && stop->load(std::memory_order_relaxed))
            break;
        const LineFields fields = lineFields(store.line(line));
        int s = unknown;
        if (fields.hasStatus) {
            if (previous >= 0 && fields.status == QByteArrayView(previousWord)) {
                s = previous;
            } else {
                previousWord = fields.status.toByteArray();
                s = byWord.value(previousWord, other);
                previous = s;
            }
        }
        if (s < 0)
            continue;
        RecoveryLegend::StatusFigure &f = figures[size_t(s)];
        ++f.lines;
        if (fields.size)
            f.bytes.tryAdd(*fields.size);
    }
    return figures;
}

FindController::FindController(WindowContext &context, ListSession &session,
                               const FindWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_session(session)
    , m_w(widgets)
    , m_job(u"corvane-find"_s)
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(PauseMs);
    connect(&m_pause, &QTimer::timeout, this, &FindController::startPass);
    connect(m_w.TXT1, &QLineEdit::textEdited, this, &FindController::textEdited);
    // Enter runs the search of the file: nothing narrows in its way.
    connect(m_w.TXT1, &QLineEdit::returnPressed, this, &FindController::cancelPending);
    connect(&m_session, &ListSession::aboutToReplace, this, &FindController::listAboutToGo);
    m_w.FindCount->clear();
    retranslate();
}

FindController::~FindController()
{
    // The pass reads the session's list: it ends before the list can go.
    m_job.abandon();
    m_job.waitForAll();
}

void FindController::retranslate()
{
    m_w.FindHint->setText(m_context.langText(LangEntry::FindHint));
    markProblems(FindQuery::parse(m_w.TXT1->text(), m_context.userLocale()));
    showCount();
}

QString FindController::syntaxText() const
{
    QStringList lines;
    for (const LangEntry entry :
         {LangEntry::FindTipIntro, LangEntry::FindTipPattern, LangEntry::FindTipExt,
          LangEntry::FindTipSize, LangEntry::FindTipDate, LangEntry::FindTipStatus,
          LangEntry::FindTipKind, LangEntry::FindTipExclude, LangEntry::FindTipKeys})
        lines.append(m_context.langText(entry));
    return lines.join(u'\n');
}

QString FindController::problemText(FindProblem problem) const
{
    switch (problem) {
    case FindProblem::None:
        return {};
    case FindProblem::BadSize:
        return m_context.langText(LangEntry::FindBadSize);
    case FindProblem::BadDate:
        return m_context.langText(LangEntry::FindBadDate);
    case FindProblem::UnknownClass:
        return m_context.langText(LangEntry::FindUnknownClass);
    case FindProblem::UnknownKind:
        return m_context.langText(LangEntry::FindUnknownKind);
    case FindProblem::EmptyValue:
        return m_context.langText(LangEntry::FindEmptyValue);
    case FindProblem::NotUnderstood:
        break;
    }
    return m_context.langText(LangEntry::FindUnreadable);
}

void FindController::markProblems(const FindQuery &query)
{
    const QString text = m_w.TXT1->text();
    std::vector<std::pair<int, int>> spans;
    QStringList reasons;
    for (const FindWord &word : query.words()) {
        if (word.problem == FindProblem::None)
            continue;
        spans.emplace_back(word.start, word.length);
        reasons.append(m_context.langText(LangEntry::FindNotUnderstood)
                           .arg(text.mid(word.start, word.length), problemText(word.problem)));
    }
    markWords(m_w.TXT1, spans);
    QString tip = syntaxText();
    if (!reasons.isEmpty())
        tip = reasons.join(u'\n') + u"\n\n"_s + tip;
    m_w.TXT1->setToolTip(plainToolTip(tip));
}

void FindController::textEdited()
{
    // The running pass is of a query no longer typed.
    m_job.abandon();
    m_passRunning = false;
    const FindQuery query = FindQuery::parse(m_w.TXT1->text(), m_context.userLocale());
    markProblems(query);
    if (query.isEmpty()) {
        m_pause.stop();
        if (isNarrowed())
            dropView(m_folderBefore);
        showCount();
        return;
    }
    m_pause.start();
}

void FindController::startPass()
{
    const LoadedList &list = m_session.loadedList();
    if (m_session.isLoading() || list.iGrid1.isEmpty() || list.SftTree1.isEmpty())
        return;
    const FindQuery query = FindQuery::parse(m_w.TXT1->text(), m_context.userLocale());
    if (query.isEmpty())
        return;
    if (isNarrowed() && query == m_query)
        return;
    // A query that only grows looks at the previous matches alone.
    std::shared_ptr<const FindView> within;
    if (m_view && !m_view->matches.all && query.narrows(m_query))
        within = m_view;
    const QString rootPrefix = m_session.RootPrefix();
    m_passRunning = true;
    showCount();
    m_job.start(
        [&list, query, within, rootPrefix](const JobRun &run) {
            auto view = std::make_shared<FindView>();
            view->matches =
                runFind(list, query, within ? &within->matches : nullptr, run.stopFlag());
            if (view->matches.stopped || run.stopRequested())
                return view;
            view->perItem = matchesPerItem(list, rootPrefix, view->matches, run.stopFlag());
            view->perStatus = statusFiguresOf(list, view->matches, run.stopFlag());
            if (run.stopRequested())
                view->matches.stopped = true;
            return view;
        },
        [this, query](std::shared_ptr<FindView> view) { passDone(std::move(view), query); });
}

void FindController::passDone(std::shared_ptr<FindView> view, const FindQuery &query)
{
    m_passRunning = false;
    if (view->matches.stopped) {
        showCount();
        return;
    }
    if (!isNarrowed())
        m_folderBefore = m_session.CurrentFolderItem();
    m_query = query;
    m_view = view;
    showCount();
    Q_EMIT narrowed(m_view);
}

void FindController::cancelPending()
{
    m_pause.stop();
    m_job.abandon();
    m_passRunning = false;
    showCount();
}

void FindController::widen()
{
    cancelPending();
    if (!m_w.TXT1->text().isEmpty()) {
        m_w.TXT1->clear();
        markProblems(FindQuery());
    }
    if (isNarrowed())
        dropView(m_folderBefore);
    showCount();
}

void FindController::dropView(int item)
{
    m_view.reset();
    m_query = FindQuery();
    m_folderBefore = -1;
    Q_EMIT widened(item);
}

void FindController::listAboutToGo()
{
    // The pass reads the list that goes: it ends first.
    m_pause.stop();
    m_job.abandon();
    m_job.waitForAll();
    m_passRunning = false;
    if (isNarrowed())
        dropView(-1);
    showCount();
}

void FindController::showCount()
{
    QLabel *label = m_w.FindCount;
    if (m_passRunning && !m_view) {
        label->setText(m_context.langText(LangEntry::FindNarrowing));
        return;
    }
    if (!m_view) {
        label->clear();
        return;
    }
    const std::shared_ptr<const FindView> view = m_view;
    m_context.ShowNumberText(label, [this, view] {
        const FindMatches &m = view->matches;
        if (m.all)
            return m_context.langText(LangEntry::FindAll).arg(m_context.formatCountShown(m.count));
        if (m.count == 0)
            return m_context.langText(LangEntry::FindNone);
        return m_context.langText(LangEntry::FindCount)
            .arg(m_context.formatCountShown(m.count), m_context.formatSizeShown(m.bytes));
    });
}

} // namespace corvane
