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
        attributes.append(QInputMethodEvent::Attribute(
            QInputMethodEvent::TextFormat, start - box->cursorPosition(), length, format));
    QInputMethodEvent event(QString(), attributes);
    QCoreApplication::sendEvent(box, &event);
}

} // namespace

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
    connect(&m_session, &ListSession::replaced, this, &FindController::listReplaced);
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
    if (rootPrefix != m_stretchesPrefix)
        m_stretches.reset();
    m_passRunning = true;
    showCount();
    m_job.start(
        [&list, query, within, rootPrefix, stretches = m_stretches](const JobRun &run) {
            auto view = std::make_shared<FindView>();
            view->stretches = stretches;
            if (!view->stretches)
                view->stretches = std::make_shared<const FolderStretches>(
                    FolderStretches::of(list, rootPrefix, run.stopFlag()));
            view->matches =
                runFind(list, query, within ? &within->matches : nullptr, run.stopFlag());
            if (view->matches.stopped || run.stopRequested()) {
                view->matches.stopped = true;
                return view;
            }
            view->perItem = matchesPerItem(*view->stretches, view->matches);
            view->perStatus = matchesPerStatusFigure(list, *view->stretches, view->perItem,
                                                     view->matches, run.stopFlag());
            if (run.stopRequested())
                view->matches.stopped = true;
            return view;
        },
        [this, query](std::shared_ptr<FindView> view) { passDone(std::move(view), query); });
}

void FindController::passDone(std::shared_ptr<FindView> view, const FindQuery &query)
{
    m_passRunning = false;
    if (view->stretches && !view->stretches->isEmpty()) {
        m_stretches = view->stretches;
        m_stretchesPrefix = m_session.RootPrefix();
    }
    if (view->matches.stopped) {
        showCount();
        return;
    }
    if (!isNarrowed())
        m_folderBefore = m_session.CurrentFolderItem();
    m_query = query;
    m_view = std::move(view);
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
    m_stretches.reset();
    if (isNarrowed())
        dropView(-1);
    showCount();
}

void FindController::listReplaced()
{
    // Where the new list's folders stand, found before the first keystroke
    // needs it (a pass started meanwhile finds them itself).
    const LoadedList &list = m_session.loadedList();
    if (list.SftTree1.isEmpty())
        return;
    const QString rootPrefix = m_session.RootPrefix();
    m_job.start(
        [&list, rootPrefix](const JobRun &run) {
            return std::make_shared<const FolderStretches>(
                FolderStretches::of(list, rootPrefix, run.stopFlag()));
        },
        [this, rootPrefix](std::shared_ptr<const FolderStretches> stretches) {
            if (stretches->isEmpty())
                return;
            m_stretches = std::move(stretches);
            m_stretchesPrefix = rootPrefix;
        });
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
