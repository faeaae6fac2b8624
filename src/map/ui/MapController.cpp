#include "MapController.h"

#include "MapView.h"
#include "app/ui/ListSession.h"
#include "app/ui/WindowContext.h"

#include <QAction>
#include <QFileInfo>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

const QString ShownKey = u"Map/Shown"_s;

} // namespace

MapController::MapController(WindowContext &context, ListSession &session,
                             const MapWidgets &widgets, MapSettings settings, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_session(session)
    , m_w(widgets)
    , m_settings(std::move(settings))
{
    MapView *map = m_w.MapView1;
    m_w.mnuMap->setCheckable(true);
    connect(m_w.mnuMap, &QAction::toggled, this, [this](bool shown) {
        setMapShown(shown);
        remember(shown);
    });
    connect(&m_session, &ListSession::aboutToReplace, this, &MapController::listAboutToGo);
    connect(&m_session, &ListSession::replaced, this, &MapController::listReplaced);
    connect(map, &MapView::folderPicked, this, [this](int item) {
        m_picked = item != m_item;
        Q_EMIT folderRequested(item);
    });
    connect(map, &MapView::folderEntered, this, [this](int item) { goTo(item); });
    connect(map, &MapView::parentRequested, this, &MapController::goTo);
    // Up, in the map's corner while it shows a folder below "Root".
    m_up = new QToolButton(map);
    m_up->setObjectName(u"MapUp"_s);
    m_up->setIcon(map->style()->standardIcon(QStyle::SP_ArrowUp));
    m_up->setFocusPolicy(Qt::NoFocus);
    m_up->move(4, 4);
    m_up->hide();
    connect(m_up, &QToolButton::clicked, this, [this] {
        const LoadedList &list = m_session.loadedList();
        const int item = m_w.MapView1->shownFolder();
        if (item > 0 && item < list.SftTree1.count())
            goTo(list.SftTree1.parent(item));
    });
    bool shown = false;
    if (!m_settings.file.isEmpty() && m_settings.check &&
        m_settings.check() == StateFileProblem::None)
        shown = QSettings(m_settings.file, QSettings::IniFormat).value(ShownKey, false).toBool();
    {
        const QSignalBlocker quiet(m_w.mnuMap);
        m_w.mnuMap->setChecked(shown);
    }
    setMapShown(shown);
    retranslate();
}

bool MapController::isMapShown() const
{
    return m_w.MapView1->isVisibleTo(m_w.GridMapSplitter);
}

void MapController::setMapShown(bool shown)
{
    if (m_w.mnuMap->isChecked() != shown) {
        const QSignalBlocker quiet(m_w.mnuMap);
        m_w.mnuMap->setChecked(shown);
    }
    MapView *map = m_w.MapView1;
    if (!shown) {
        map->hide();
        map->clearList(); // nothing laid out while nobody looks
        return;
    }
    const bool wasHidden = map->isHidden();
    const LoadedList &list = m_session.loadedList();
    map->setList(&list, m_session.RootPrefix());
    showMapFolder(list.SftTree1.isEmpty() ? -1 : m_item);
    map->show();
    if (wasHidden) {
        const int height = std::max(200, m_w.GridMapSplitter->height());
        m_w.GridMapSplitter->setSizes({height * 2 / 5, height * 3 / 5});
    }
}

void MapController::followFolder(int item)
{
    m_item = std::max(0, item);
    if (std::exchange(m_picked, false))
        return; // picked on the map: the map stays
    if (isMapShown())
        showMapFolder(m_item);
}

void MapController::goTo(int item)
{
    m_picked = false;
    Q_EMIT folderRequested(item);
    showMapFolder(item); // also when the tree shows it already
}

void MapController::showMapFolder(int item)
{
    m_w.MapView1->showFolder(item);
    m_up->setVisible(item > 0);
}

void MapController::listAboutToGo()
{
    m_w.MapView1->clearList();
}

void MapController::listReplaced()
{
    m_item = std::max(0, int(m_session.CurrentFolderItem()));
    m_picked = false;
    if (isMapShown()) {
        const LoadedList &list = m_session.loadedList();
        m_w.MapView1->setList(&list, m_session.RootPrefix());
        showMapFolder(list.SftTree1.isEmpty() ? -1 : m_item);
    }
}

void MapController::remember(bool shown)
{
    if (m_settings.file.isEmpty() || !m_settings.check)
        return;
    // Never through a link or into a pipe planted at the settings' name.
    const StateFileProblem problem = m_settings.check();
    if (problem != StateFileProblem::None && problem != StateFileProblem::Missing)
        return;
    if (!ensureStateFolder(QFileInfo(m_settings.file).absolutePath(), {}))
        return;
    QSettings(m_settings.file, QSettings::IniFormat).setValue(ShownKey, shown);
}

void MapController::retranslate()
{
    const auto text = [this](LangEntry entry) { return m_context.langText(entry); };
    m_w.mnuMap->setText(text(LangEntry::MapShow));
    MapTexts t;
    t.files = text(LangEntry::MapFiles);
    t.ownFiles = text(LangEntry::MapOwnFiles);
    t.smallFolders = text(LangEntry::MapSmallFolders);
    t.status = text(LangEntry::MapStatus);
    t.unknownStatus = text(LangEntry::StatusUnknown);
    t.otherStatus = text(LangEntry::StatusOther);
    t.notToScale = text(LangEntry::MapNotToScale);
    t.units = m_context.sizeUnits();
    m_w.MapView1->setTexts(t);
    m_w.MapView1->setLocale(m_context.numberLocale());
    m_up->setToolTip(text(LangEntry::MapUp));
    m_w.MapView1->setWhatsThis(text(LangEntry::MapHint));
    m_w.MapView1->setAccessibleDescription(text(LangEntry::MapHint));
}

} // namespace corvane
