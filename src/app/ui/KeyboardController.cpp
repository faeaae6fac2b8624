// The window from the keyboard: Tab moves between the controls of the page
// shown, in the order they are read (the grids keep the arrow keys and give
// Tab back), the menu opens on F10, on Alt alone or on its mnemonic, the
// commands have shortcuts that their menu entries show, Enter presses the
// focused button, and the approval prompt is reached and pressed like one.

#include "KeyboardController.h"

#include "DatePicker.h"
#include "WindowContext.h"
#include "browse/ui/RecoveryLegend.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// text as a menu title: "&" before its first letter that no title before it
// took (taken holds their letters, lower case), the text's own "&" doubled so
// that it shows as it is.
QString withMnemonic(const QString &text, QString &taken)
{
    QString shown = text;
    shown.replace(u'&', u"&&"_s);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QChar c = shown.at(i);
        if (!c.isLetterOrNumber() || c.isSurrogate())
            continue;
        const QChar key = c.toLower();
        if (taken.contains(key))
            continue;
        taken.append(key);
        shown.insert(i, u'&');
        return shown;
    }
    return shown;
}

bool isEnter(const QKeyEvent *key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

KeyboardController::KeyboardController(WindowContext &context, const MainWindowControls &controls,
                                       QWidget *window, QMenuBar *menuBar, RecoveryLegend *legend,
                                       QList<QWidget *> basketControls, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_ui(controls)
    , m_window(window)
    , m_menuBar(menuBar)
    , m_legend(legend)
    , m_basketControls(std::move(basketControls))
{
    // The grids move with the arrow keys; Tab leaves them.
    const QList<QAbstractItemView *> views = m_window->findChildren<QAbstractItemView *>();
    for (QAbstractItemView *view : views)
        view->setTabKeyNavigation(false);

    // The approval prompt and the lab's link are labels the mouse clicks: the
    // keyboard reaches them as well, and they show a frame while they have
    // the focus.
    for (QLabel *label : {m_ui.lblEmail, m_ui.lblLink}) {
        label->setFocusPolicy(Qt::TabFocus);
        label->setStyleSheet(u"QLabel { border: 1px solid transparent; border-radius: 2px; "
                             u"padding: 1px 3px; } "
                             u"QLabel:focus { border-color: palette(highlight); }"_s);
    }

    buildActions();

    // The keys of the whole program: a key goes to the focused control
    // first, and a control may take it before the window sees it.
    qApp->installEventFilter(this);

    applyMenuMnemonics();

    applyTabOrder();
    // The legend's rows come and go with the list: each new set takes its
    // place in the order.
    if (m_legend)
        connect(m_legend, &RecoveryLegend::rowsChanged, this, &KeyboardController::applyTabOrder);
}

void KeyboardController::buildActions()
{
    m_mnuOpen = new QAction(m_ui.mnuMenu);
    m_mnuOpen->setObjectName(u"mnuOpen"_s);
    m_ui.mnuMenu->insertAction(m_ui.mnuMenu->actions().value(0), m_mnuOpen);
    connect(m_mnuOpen, &QAction::triggered, this, &KeyboardController::openListRequested);
    m_mnuOpen->setShortcut(QKeySequence(u"Ctrl+O"_s));
    m_ui.mnuReload->setShortcut(QKeySequence(Qt::Key_F5));
    m_ui.mnuSaveList->setShortcut(QKeySequence(u"Ctrl+S"_s));
    m_ui.mnuExit->setShortcut(QKeySequence(u"Ctrl+Q"_s));

    m_findTermAction = new QAction(m_window);
    m_findTermAction->setObjectName(u"FindTermAction"_s);
    m_findTermAction->setShortcut(QKeySequence(u"Ctrl+F"_s));
    m_window->addAction(m_findTermAction);
    connect(m_findTermAction, &QAction::triggered, this, &KeyboardController::FocusTermBox);

    m_menuKeyAction = new QAction(m_window);
    m_menuKeyAction->setObjectName(u"MenuKeyAction"_s);
    m_menuKeyAction->setShortcut(QKeySequence(Qt::Key_F10));
    m_window->addAction(m_menuKeyAction);
    connect(m_menuKeyAction, &QAction::triggered, this, &KeyboardController::OpenMenuFromKeyboard);
}

// Enter on a focused button presses it, Enter or Space on a clickable label
// clicks it, and Alt pressed and let go with nothing between opens the menu
// where the menu bar does not take it itself.
bool KeyboardController::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Alt)
            m_altAlone = false;
        else if (event->type() == QEvent::KeyPress && !key->isAutoRepeat())
            m_altAlone = ours(watched) && (key->modifiers() & ~Qt::AltModifier) == Qt::NoModifier;
        if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget() &&
            ours(watched))
            return pressFocused(watched, key);
        break;
    }
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Alt && m_altAlone && ours(watched)) {
            m_altAlone = false;
            // Where the menu bar has not taken Alt itself (it marks its
            // first menu), the menu opens.
            QTimer::singleShot(0, this, [this] {
                if (!m_menuBar->activeAction())
                    OpenMenuFromKeyboard();
            });
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::WindowDeactivate:
        m_altAlone = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool KeyboardController::ours(QObject *watched) const
{
    auto *widget = qobject_cast<QWidget *>(watched);
    return widget && widget->window() == m_window;
}

bool KeyboardController::pressFocused(QObject *focused, QKeyEvent *key)
{
    const bool space = key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier;
    if (focused == m_ui.lblEmail && (isEnter(key) || space)) {
        Q_EMIT approvalRequested();
        return true;
    }
    if (focused == m_ui.lblLink && (isEnter(key) || space)) {
        Q_EMIT labLinkRequested();
        return true;
    }
    if (!isEnter(key))
        return false;
    auto *button = qobject_cast<QAbstractButton *>(focused);
    if (!button || !button->isEnabled())
        return false;
    button->click();
    return true;
}

void KeyboardController::applyMenuMnemonics()
{
    QString taken;
    if (!m_context.caption(LangEntry::MenuTitle).isEmpty())
        m_ui.mnuMenu->setTitle(withMnemonic(m_context.caption(LangEntry::MenuTitle), taken));
    if (!m_context.caption(LangEntry::LanguagesMenu).isEmpty())
        m_ui.mnuLan->setTitle(withMnemonic(m_context.caption(LangEntry::LanguagesMenu), taken));
    m_mnuOpen->setText(m_context.caption(LangEntry::OpenFileList));
}

QList<QWidget *> KeyboardController::tabOrder() const
{
    // The tab bar, then the open page: the open button, the lists of the
    // archive, the lab's notes, Stop of a load.
    QList<QWidget *> order = {m_ui.SSTab1,    m_ui.Command2, m_ui.iGrid3,
                              m_ui.NotesList, m_ui.lblLink,  m_ui.LoadStopButton};
    // The view page: the tree and the grid, the searches left to right with
    // the legend between them, the approval prompt last.
    order << m_ui.SftTree1 << m_ui.iGrid2 << m_basketControls << m_ui.TXT1 << m_ui.Command3
          << m_ui.Combo1 << m_ui.Command5 << m_ui.SearchStop;
    if (m_legend) {
        const QList<QAbstractButton *> rows = m_legend->findChildren<QAbstractButton *>();
        for (QAbstractButton *row : rows)
            order << row;
    }
    order << m_ui.DTPicker1 << m_ui.DTPicker2 << m_ui.Command4 << m_ui.lblEmail;
    order.removeIf([](const QWidget *w) { return !w || !(w->focusPolicy() & Qt::TabFocus); });
    return order;
}

void KeyboardController::applyTabOrder()
{
    // A part that lends its focus to the control it belongs to (the line
    // edit of an editable box) goes right after it: left at the end of the
    // chain, Shift+Tab would reach the box from the far end.
    QList<QWidget *> chain;
    for (QWidget *control : tabOrder()) {
        chain << control;
        const QList<QWidget *> parts = control->findChildren<QWidget *>();
        for (QWidget *part : parts) {
            if (part->focusProxy() == control && part->window() == m_window)
                chain << part;
        }
    }
    for (qsizetype i = 1; i < chain.size(); ++i) {
        // setTabOrder places the proxy instead of the part: the part itself
        // is placed while it lends nothing.
        QWidget *first = chain.at(i - 1);
        QWidget *second = chain.at(i);
        QWidget *firstProxy =
            first->focusProxy() == chain.value(i - 2) ? first->focusProxy() : nullptr;
        QWidget *secondProxy = second->focusProxy() == first ? first : nullptr;
        if (firstProxy)
            first->setFocusProxy(nullptr);
        if (secondProxy)
            second->setFocusProxy(nullptr);
        QWidget::setTabOrder(first, second);
        if (firstProxy)
            first->setFocusProxy(firstProxy);
        if (secondProxy)
            second->setFocusProxy(secondProxy);
    }
}

void KeyboardController::OpenMenuFromKeyboard()
{
    for (QMenu *menu : {m_ui.mnuMenu, m_ui.mnuLan}) {
        QAction *action = menu->menuAction();
        if (action->isVisible() && action->isEnabled()) {
            m_menuBar->setActiveAction(action);
            return;
        }
    }
}

void KeyboardController::FocusTermBox()
{
    if (!m_ui.SSTab1->isTabEnabled(1) || !m_ui.Frame4->isEnabled() || !m_ui.TXT1->isEnabled())
        return;
    m_ui.SSTab1->setCurrentIndex(1);
    m_ui.TXT1->setFocus(Qt::ShortcutFocusReason);
    m_ui.TXT1->selectAll();
}

} // namespace corvane
