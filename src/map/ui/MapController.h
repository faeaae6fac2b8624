#pragma once

// The recovery map on the "View list" page: shown below the file grid when
// "Recovery map" in "Menu" is checked (the choice remembered with the
// window's state). It maps the folder the tree shows, of the list shown (a
// search result's too). A click on a tile picks its folder in the tree
// (folderRequested) and the map stays where it is; a double-click goes into
// the folder, Backspace or the up button in its corner goes up: both pick
// that folder, and the map follows.

#include "listfile/StateFile.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QSplitter;
class QToolButton;

namespace corvane {

class ListSession;
class MapView;
class WindowContext;

struct MapWidgets
{
    QAction *mnuMap = nullptr;            // "Recovery map", checkable
    MapView *MapView1 = nullptr;          // below the file grid
    QSplitter *GridMapSplitter = nullptr; // the grid above, the map below
};

// Where the choice is remembered (empty: nowhere), and the check that tells
// whether that file may be read or written as it is now.
struct MapSettings
{
    QString file;
    std::function<StateFileProblem()> check;
};

class MapController : public QObject
{
    Q_OBJECT

public:
    MapController(WindowContext &context, ListSession &session, const MapWidgets &widgets,
                  MapSettings settings, QObject *parent = nullptr);

    void setMapShown(bool shown);
    bool isMapShown() const;
    // The folder the tree shows.
    void followFolder(int item);
    void retranslate();

Q_SIGNALS:
    void folderRequested(int item);

private:
    void listAboutToGo();
    void listReplaced();
    void remember(bool shown);
    // The map and the tree go to item.
    void goTo(int item);
    void showMapFolder(int item);

    WindowContext &m_context;
    ListSession &m_session;
    MapWidgets m_w;
    MapSettings m_settings;
    QToolButton *m_up = nullptr;
    int m_item = 0;
    bool m_picked = false; // the tree's next folder is the one a click on the map picked
};

} // namespace corvane
