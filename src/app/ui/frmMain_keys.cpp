// The window from the keyboard: Tab moves between the controls of the page
// shown, in the order they are read (the grids keep the arrow keys and give
// Tab back), the menu opens on F10, on Alt alone or on its mnemonic, the
// commands have shortcuts that their menu entries show, Enter presses the
// focused button, and the approval prompt is reached and pressed like one.

#include "DatePicker.h"
#include "DesktopController.h"
#include "browse/ui/RecoveryLegend.h"
#include "frmMain.h"

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
#include <QPointer>
#include <QPushButton>
#include <QStyle>
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

// Watches the keys of the whole program (a key goes to the focused control
// first, and a control may take it before the window sees it) for those of
// the window: Enter on a focused button presses it, Enter or Space on a
// clickable label clicks it, and Alt pressed and let go with nothing between
// opens the menu where the menu bar does not take it itself.
class KeyboardFilter : public QObject
{
public:
    KeyboardFilter(frmMain &window, QLabel *lblEmail, QLabel *lblLink)
        : QObject(&window), m_window(window), m_lblEmail(lblEmail), m_lblLink(lblLink)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() != Qt::Key_Alt)
                m_altAlone = false;
            else if (event->type() == QEvent::KeyPress && !key->isAutoRepeat())
                m_altAlone =
                    ours(watched) && (key->modifiers() & ~Qt::AltModifier) == Qt::NoModifier;
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
                QPointer<frmMain> window(&m_window);
                QTimer::singleShot(0, &m_window, [window] {
                    if (window && !window->menuBar()->activeAction())
                        window->OpenMenuFromKeyboard();
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

private:
    bool ours(QObject *watched) const
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        return widget && widget->window() == &m_window;
    }

    bool pressFocused(QObject *focused, QKeyEvent *key)
    {
        const bool space = key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier;
        if (focused == m_lblEmail && (isEnter(key) || space)) {
            m_window.lblEmail_Click();
            return true;
        }
        if (focused == m_lblLink && (isEnter(key) || space)) {
            m_window.lblLink_Click();
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

    frmMain &m_window;
    QLabel *m_lblEmail;
    QLabel *m_lblLink;
    bool m_altAlone = false;
};

} // namespace

void frmMain::setupKeyboard()
{
    // The grids move with the arrow keys; Tab leaves them.
    const QList<QAbstractItemView *> views = findChildren<QAbstractItemView *>();
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

    m_ui.mnuOpen = new QAction(m_ui.mnuMenu);
    m_ui.mnuOpen->setObjectName(u"mnuOpen"_s);
    m_ui.mnuMenu->insertAction(m_ui.mnuMenu->actions().value(0), m_ui.mnuOpen);
    connect(m_ui.mnuOpen, &QAction::triggered, this, [this] {
        if (m_desktop->canOpenList())
            Command2_Click();
    });
    m_ui.mnuOpen->setShortcut(QKeySequence(u"Ctrl+O"_s));
    m_ui.mnuReload->setShortcut(QKeySequence(Qt::Key_F5));
    m_ui.mnuSaveList->setShortcut(QKeySequence(u"Ctrl+S"_s));
    m_ui.mnuExit->setShortcut(QKeySequence(u"Ctrl+Q"_s));

    m_ui.FindTermAction = new QAction(this);
    m_ui.FindTermAction->setObjectName(u"FindTermAction"_s);
    m_ui.FindTermAction->setShortcut(QKeySequence(u"Ctrl+F"_s));
    addAction(m_ui.FindTermAction);
    connect(m_ui.FindTermAction, &QAction::triggered, this, &frmMain::FocusTermBox);

    m_ui.MenuKeyAction = new QAction(this);
    m_ui.MenuKeyAction->setObjectName(u"MenuKeyAction"_s);
    m_ui.MenuKeyAction->setShortcut(QKeySequence(Qt::Key_F10));
    addAction(m_ui.MenuKeyAction);
    connect(m_ui.MenuKeyAction, &QAction::triggered, this, &frmMain::OpenMenuFromKeyboard);

    new KeyboardFilter(*this, m_ui.lblEmail, m_ui.lblLink);

    applyMenuMnemonics();
    connect(this, &frmMain::languageChanged, this, &frmMain::applyMenuMnemonics);

    applyTabOrder();
    // The legend's rows come and go with the list: each new set takes its
    // place in the order.
    if (RecoveryLegend *legend = recoveryLegend())
        connect(legend, &RecoveryLegend::rowsChanged, this, &frmMain::applyTabOrder);
}

void frmMain::applyMenuMnemonics()
{
    QString taken;
    if (!caption(LangEntry::MenuTitle).isEmpty())
        m_ui.mnuMenu->setTitle(withMnemonic(caption(LangEntry::MenuTitle), taken));
    if (!caption(LangEntry::LanguagesMenu).isEmpty())
        m_ui.mnuLan->setTitle(withMnemonic(caption(LangEntry::LanguagesMenu), taken));
    m_ui.mnuOpen->setText(caption(LangEntry::OpenFileList));
}

QList<QWidget *> frmMain::tabOrder() const
{
    // The tab bar, then the open page: the open button, the lists of the
    // archive, the lab's notes, Stop of a load.
    QList<QWidget *> order = {m_ui.SSTab1,    m_ui.Command2, m_ui.iGrid3,
                              m_ui.NotesList, m_ui.lblLink,  m_ui.LoadStopButton};
    // The view page: the tree and the grid, the searches left to right with
    // the legend between them, the approval prompt last.
    order << m_ui.SftTree1 << m_ui.iGrid2 << m_ui.TXT1 << m_ui.Command3 << m_ui.Combo1
          << m_ui.Command5 << m_ui.SearchStop;
    if (RecoveryLegend *legend = recoveryLegend()) {
        const QList<QAbstractButton *> rows = legend->findChildren<QAbstractButton *>();
        for (QAbstractButton *row : rows)
            order << row;
    }
    order << m_ui.DTPicker1 << m_ui.DTPicker2 << m_ui.Command4 << m_ui.lblEmail;
    order.removeIf([](const QWidget *w) { return !w || !(w->focusPolicy() & Qt::TabFocus); });
    return order;
}

void frmMain::applyTabOrder()
{
    // A part that lends its focus to the control it belongs to (the line
    // edit of an editable box) goes right after it: left at the end of the
    // chain, Shift+Tab would reach the box from the far end.
    QList<QWidget *> chain;
    for (QWidget *control : tabOrder()) {
        chain << control;
        const QList<QWidget *> parts = control->findChildren<QWidget *>();
        for (QWidget *part : parts) {
            if (part->focusProxy() == control && part->window() == this)
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

// F10 (and Alt where the style leaves it to the window): the first menu that
// can be opened now opens, its first entry current.
void frmMain::OpenMenuFromKeyboard()
{
    for (QMenu *menu : {m_ui.mnuMenu, m_ui.mnuLan}) {
        QAction *action = menu->menuAction();
        if (action->isVisible() && action->isEnabled()) {
            menuBar()->setActiveAction(action);
            return;
        }
    }
}

// Ctrl+F: the term box of the view page, its term selected to be typed over.
void frmMain::FocusTermBox()
{
    if (!m_ui.SSTab1->isTabEnabled(1) || !m_ui.Frame4->isEnabled() || !m_ui.TXT1->isEnabled())
        return;
    m_ui.SSTab1->setCurrentIndex(1);
    m_ui.TXT1->setFocus(Qt::ShortcutFocusReason);
    m_ui.TXT1->selectAll();
}

} // namespace corvane
