#include "ListSession.h"

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

ListSession::ListSession(Loader loader, QObject *parent)
    : QObject(parent), m_loader(std::move(loader)), m_job(u"ListLoader"_s, this)
{}

bool ListSession::load(const QString &path, LoadKind kind, LoadOptions options)
{
    if (m_job.isRunning())
        return false;
    m_kind = kind;
    m_job.start(
        [this, path, options = std::move(options), loader = m_loader](const JobRun &run) mutable {
            options.stop = run.stopFlag();
            options.progress = [this, &run](const LoadProgress &p) {
                run.report([this, p] { Q_EMIT progress(p); });
            };
            return loader ? loader(path, options) : loadList(path, options);
        },
        [this](LoadedList list) { finish(std::move(list)); });
    return true;
}

void ListSession::finish(LoadedList list)
{
    if (list.stopped) {
        releaseInBackground(list);
        Q_EMIT stopped(m_kind);
        return;
    }
    m_rootPrefix = list.rootPrefixAfter(m_rootPrefix);
    m_currentFolderItem = -1;
    swapIn(std::move(list), true);
    Q_EMIT loaded(m_kind);
}

void ListSession::stop()
{
    if (!m_job.isRunning())
        return;
    m_job.abandon();
    Q_EMIT stopped(m_kind);
}

void ListSession::clear()
{
    swapIn(LoadedList(), false);
}

// The views let go of the list they show before it goes; announce: they are
// told what comes in its place.
void ListSession::swapIn(LoadedList &&list, bool announce)
{
    Q_EMIT aboutToReplace(announce ? &list : nullptr);
    // A search result keeps the opened list beside it; a second result
    // replaces the first.
    const bool result = announce && m_kind == LoadKind::SearchResult;
    if (result && !m_showsResult)
        m_opened = std::move(m_list);
    else
        releaseInBackground(m_list);
    if (!result)
        releaseInBackground(m_opened);
    m_showsResult = result;
    m_list = std::move(list);
    Q_EMIT replaced();
}

} // namespace corvane
