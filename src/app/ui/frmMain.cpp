// The main window: construction, the window load, quitting and the lab link.

#include "frmMain.h"

#include "ApprovalController.h"
#include "CommandLock.h"
#include "DatePicker.h"
#include "DesktopController.h"
#include "KeptList.h"
#include "LabInfo.h"
#include "OpenController.h"
#include "ReadableColours.h"
#include "SearchController.h"
#include "approval/LabDetails.h"
#include "basket/ui/BasketController.h"
#include "browse/ui/FolderTreeModel.h"
#include "find/ui/FindController.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QThread>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

// The lab's own details are build settings (approval/LabDetails).
QString LabInfo::webAddress()
{
    return labWebAddress();
}

QString LabInfo::serviceDescription()
{
    return labServiceDescription();
}

QString LabInfo::telephone()
{
    return labTelephone();
}

namespace {

// A small drawn window icon: a folder-coloured square with the letter C.
QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x5f, 0xa8));
        p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
        QFont f;
        f.setBold(true);
        f.setPixelSize(size * 3 / 4);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, u"C"_s);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

frmMain::frmMain(Prompts &prompts, Settings settings, QWidget *parent)
    : QMainWindow(parent)
    , WindowWords(prompts, settings.locale)
    , m_settings(std::move(settings))
    , m_session(new ListSession(m_settings.loadList, this))
    , m_lock(new CommandLock(this))
{
    setObjectName(u"frmMain"_s);
    initLanguageResources();
    setWindowIcon(programIcon());
    buildControls();
    setupOpenCommand();
    connectControls();
    connectSession();
    Form_Load();
    setupBrowsing();
    setupShownTexts();
    setupBasket();
    setupDesktop();
    setupApproval();
    setupSearch();
    setupOverview();
    setupCheck();
    setupKinds();
    setupMap();
    setupCompare();
    setupFind();
    setupKeyboard();
}

frmMain::~frmMain()
{
    // Quitting mid-load: the loaders are told to give up and are waited for
    // before their lists go away (the session's job does both).
    m_session->disconnect(this);
    // The basket reads the session's list and the views' models: it goes first.
    delete m_controllers.basket;
    m_controllers.basket = nullptr;
    // So does the find, whose passes read the list.
    delete m_controllers.find;
    m_controllers.find = nullptr;
    // The views must let go of the models before the data under them goes.
    m_ui.SftTree1->setModel(nullptr);
    m_ui.iGrid2->setModel(nullptr);
    m_ui.iGrid3->setModel(nullptr);
    delete m_session;
    m_session = nullptr;
}

void frmMain::prepareForExit()
{
    m_controllers.approval->finishSaving();
    m_controllers.basket->finishSaving();
    m_controllers.basket->saveNow();
    m_session->askToStop();
    StopSearch();
}

QString frmMain::dataFolder() const
{
    if (!m_settings.dataFolder.isEmpty())
        QDir().mkpath(m_settings.dataFolder);
    return m_settings.dataFolder;
}

// The window load: every view in its empty starting state, the language
// picked from the user's locale, the grids laid out, the date range set.
void frmMain::Form_Load()
{
    m_ui.SSTab1->setFocus();
    m_ui.Label28->clear();
    m_ui.Label19->clear();
    m_ui.Label20->clear();
    m_ui.Label21->clear();
    m_ui.Label26->setText(LabInfo::serviceDescription());
    m_ui.mnuReload->setEnabled(false);

    const LanguagePick pick = pickLanguage(GetInfo(m_settings.locale));
    m_ui.mnuShowLan->setVisible(false);
    m_ui.lblEmail->setText(u"Om deze lijst per email goed te keuren klik hier ->\r\n"_s);
    if (pick.matched) {
        m_ui.mnuLan->menuAction()->setVisible(false);
        m_ui.mnuShowLan->setVisible(true);
    }
    // Shows its own message when lang.fil cannot be used, and then carries
    // on with the built-in English texts: nothing below can fail on LangText.
    LoadLanguage(pick.language);

    m_ui.Label8->clear();
    m_ui.Label9->clear();
    m_ui.Label24->clear();
    m_ui.Label22->clear();
    m_ui.Label23->clear();
    m_ui.UniLabel1->setText(caption(LangEntry::DetailsHint));
    setFileGridModel(m_fileGridPlaceholder);
    m_ui.lblEmail->setText(caption(LangEntry::ApprovalPrompt));
    m_controllers.open->showNoMembers();

    m_ui.SSTab1->setFocus();
    m_ui.SSTab1->setTabEnabled(1, false);
    m_ui.SftTree1->setHeaderHidden(false);
    setSearchDateRange(m_ui.DTPicker1, m_ui.DTPicker2, today());
}

QDate frmMain::today() const
{
    return m_settings.today ? m_settings.today() : QDate::currentDate();
}

void frmMain::mnuExit_Click()
{
    if (!prompts().question(this, langText(LangEntry::QuitQuestion),
                            fixedWord(LangEntry::QuitQuestionTitle, u"Quit?"_s), true))
        return;
    m_exitConfirmed = true;
    close();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_exitConfirmed || prompts().question(this, langText(LangEntry::QuitQuestion),
                                              fixedWord(LangEntry::QuitTitle, u"Quit"_s), true)) {
        m_exitConfirmed = true;
        m_controllers.desktop->saveWindowState();
        event->accept();
    } else {
        event->ignore();
    }
}

void frmMain::lblLink_Click()
{
    prompts().openUrl(QUrl::fromUserInput(m_ui.lblLink->text()));
}

void frmMain::lblLink_MouseMove()
{
    m_ui.lblLink->setCursor(Qt::PointingHandCursor);
    // Blue, or the nearest blue that can be read on the desktop's background.
    const QColor blue = readableColour(QColor(0, 0, 255), palette().color(QPalette::Window));
    if (m_ui.lblLink->palette().color(QPalette::WindowText) != blue) {
        QPalette p = m_ui.lblLink->palette();
        p.setColor(QPalette::WindowText, blue);
        m_ui.lblLink->setPalette(p);
        QFont f = m_ui.lblLink->font();
        f.setUnderline(true);
        m_ui.lblLink->setFont(f);
    }
}

void frmMain::Frame7_MouseMove()
{
    QFont f = m_ui.lblLink->font();
    f.setUnderline(false);
    m_ui.lblLink->setFont(f);
    QPalette p = m_ui.lblLink->palette();
    p.setColor(QPalette::WindowText,
               readableColour(QColor(Qt::black), palette().color(QPalette::Window)));
    m_ui.lblLink->setPalette(p);
    m_ui.lblLink->unsetCursor();
    m_ui.Frame7->unsetCursor();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.lblLink) {
        switch (event->type()) {
        case QEvent::Enter:
            lblLink_MouseMove();
            break;
        case QEvent::MouseMove:
            // Taken here: a label leaves mouse moves to its parent, which
            // would undo the hover look at once.
            lblLink_MouseMove();
            return true;
        case QEvent::MouseButtonRelease: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton &&
                m_ui.lblLink->rect().contains(mouse->position().toPoint()))
                lblLink_Click();
            break;
        }
        default:
            break;
        }
    } else if (watched == m_ui.Frame7 && event->type() == QEvent::MouseMove) {
        Frame7_MouseMove();
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace corvane
