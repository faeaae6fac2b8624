#pragma once

// The window from the keyboard. Drives every control of MainWindowControls
// for the Tab order (the whole struct is taken because Tab visits the
// controls of both pages, in the order they are read, with the legend's rows
// of RecoveryLegend among them); the grids keep the arrow keys and give Tab
// back; lblEmail and lblLink are reached by Tab and pressed with Enter or
// Space, with a frame while they have the focus; mnuMenu and mnuLan get
// their mnemonics in the language in use and open on F10 or Alt alone;
// mnuOpen (built here, first in mnuMenu, Ctrl+O), the shortcuts of
// mnuReload, mnuSaveList and mnuExit, FindTermAction (Ctrl+F: TXT1, on
// SSTab1's view page) and MenuKeyAction (F10) are set up here; Enter presses
// the focused button.
//
// Sends: approvalRequested() for Enter or Space on lblEmail,
// labLinkRequested() for Enter or Space on lblLink, openListRequested() for
// mnuOpen (the window opens a list if it may now).
//
// The Tab order is laid again each time the legend's rows change; the
// mnemonics after each language change (applyMenuMnemonics, which the
// window calls).

#include "MainWindowControls.h"

#include <QList>
#include <QObject>

class QAction;
class QEvent;
class QKeyEvent;
class QMenuBar;
class QWidget;

namespace corvane {

class RecoveryLegend;
class WindowContext;

class KeyboardController : public QObject
{
    Q_OBJECT

public:
    // window: the main window, whose keys these are (its grids, its
    // shortcuts); menuBar: its menu bar; legend: the rows Tab visits between
    // the searches (none: no rows). Watches the keys of the whole program
    // while it lives.
    KeyboardController(WindowContext &context, const MainWindowControls &controls, QWidget *window,
                       QMenuBar *menuBar, RecoveryLegend *legend,
                       QList<QWidget *> basketControls = {}, QObject *parent = nullptr);

    // The actions built here, for the window's controls.
    QAction *mnuOpen() const { return m_mnuOpen; }
    QAction *findTermAction() const { return m_findTermAction; }
    QAction *menuKeyAction() const { return m_menuKeyAction; }

    // The controls Tab visits, in order, on both pages (hidden ones are passed).
    QList<QWidget *> tabOrder() const;
    void applyTabOrder();
    // The menu titles with their mnemonics, and mnuOpen's text, in the
    // language in use.
    void applyMenuMnemonics();
    // F10 (and Alt where the style leaves it to the window): the first menu
    // that can be opened now opens, its first entry current.
    void OpenMenuFromKeyboard();
    // Ctrl+F: the term box of the view page, its term selected to be typed
    // over.
    void FocusTermBox();

Q_SIGNALS:
    void approvalRequested();
    void labLinkRequested();
    void openListRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions();
    bool ours(QObject *watched) const;
    bool pressFocused(QObject *focused, QKeyEvent *key);

    WindowContext &m_context;
    MainWindowControls m_ui;
    QWidget *m_window;
    QMenuBar *m_menuBar;
    RecoveryLegend *m_legend;
    QList<QWidget *> m_basketControls;   // the restore basket's, after the grid
    QAction *m_mnuOpen = nullptr;        // a child of mnuMenu
    QAction *m_findTermAction = nullptr; // a child of the window
    QAction *m_menuKeyAction = nullptr;  // a child of the window
    bool m_altAlone = false;             // Alt is down, nothing else was pressed since
};

} // namespace corvane
