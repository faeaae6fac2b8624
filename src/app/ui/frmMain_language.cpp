// LoadLanguage: LangText from lang.fil and every caption of the window; the
// six language entries and "Show Languages".

#include "LabInfo.h"
#include "OpenController.h"
#include "app/language/QtTranslations.h"
#include "browse/ui/FolderTreeModel.h"
#include "frmMain.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QVersionNumber>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// The copy of lang.fil built into the program.
const QString builtInLanguageFile = u":/corvane/lang.fil"_s;

struct LanguageRead
{
    LanguageLoad load;
    QString problem; // empty when the table is complete
};

LanguageRead readLanguageFile(const QString &path, int language)
{
    LanguageRead read;
    read.load = loadLanguageFile(path, language);
    if (!read.load.ok()) {
        read.problem = read.load.failedLine >= 0
                           ? u"line %1: %2"_s.arg(read.load.failedLine + 1).arg(read.load.error)
                           : read.load.error;
    } else if (read.load.texts.size() < LanguageEntryCount) {
        read.problem = u"it has %1 lines, and at least %2 are needed"_s.arg(read.load.texts.size())
                           .arg(LanguageEntryCount);
    }
    return read;
}

bool languageMenuShown(const MainWindowControls &ui)
{
    return ui.mnuLan->menuAction()->isVisible();
}

// The languages menu marks the language in use (its actions one group,
// owned by owner, from the first time).
void markLanguageInMenu(const MainWindowControls &ui, QObject *owner, int language)
{
    const std::pair<QAction *, int> entries[] = {
        {ui.mnuEN, LanguageEnglish},    {ui.mnuPT, LanguagePortuguese},
        {ui.mnuGerman, LanguageGerman}, {ui.mnuFrench, LanguageFrench},
        {ui.mnuSE, LanguageSwedish},    {ui.mnuNL, LanguageDutch}};
    if (!ui.mnuEN->actionGroup()) {
        auto *group = new QActionGroup(owner);
        group->setExclusive(true);
        for (const auto &[action, number] : entries) {
            action->setCheckable(true);
            group->addAction(action);
        }
    }
    for (const auto &[action, number] : entries)
        action->setChecked(number == language);
}

void applyQtTranslations(int language)
{
    // Qt's own dialogs (Yes, No, OK, Cancel, the file dialog) follow the
    // chosen language; without a catalogue they stay English.
    if (QCoreApplication *app = QCoreApplication::instance())
        installQtTranslations(app, language);
}

} // namespace

QString programVersion()
{
    // major.minor.revision, each in decimal without leading zeros.
    const QVersionNumber v = QVersionNumber::fromString(QStringLiteral(CORVANE_VERSION));
    return u"%1.%2.%3"_s.arg(v.majorVersion()).arg(v.minorVersion()).arg(v.microVersion());
}

// Fills LangText with column `language` of lang.fil and writes the captions.
// A lang.fil that cannot be used gives one message; the window then carries
// on with the built-in copy's texts in the same language, so that every later
// reader of LangText finds its entry. Entries after 50 that the file lacks
// come from the built-in copy, in the same language.
void frmMain::LoadLanguage(int language)
{
    const QString path = findLanguageFile(programFolder());
    LanguageRead read = readLanguageFile(path, language);
    LanguageRead builtIn;
    if (path != builtInLanguageFile)
        builtIn = readLanguageFile(builtInLanguageFile, language);
    else
        builtIn = read;
    int applied = language;
    if (!read.problem.isEmpty()) {
        if (!builtIn.problem.isEmpty()) {
            // A language the built-in copy has no column for.
            applied = LanguageEnglish;
            builtIn = readLanguageFile(builtInLanguageFile, LanguageEnglish);
        }
        QString text = builtIn.load.texts.value(langIndex(LangEntry::LanguageFileUnusable));
        if (text.isEmpty())
            text = u"The language file \"%1\" cannot be used: %2. Corvane goes on with its "
                   u"built-in texts."_s;
        text = text.arg(QDir::toNativeSeparators(path), read.problem);
        if (language == LanguageDutch && read.load.failedLine >= 0)
            text += u"\nDutch needs seven columns on every line."_s;
        prompts().warning(this, text, errorTitle(), false);
        read = builtIn;
    }
    QStringList texts = read.load.texts;
    fillMissingEntries(texts, builtIn.load.texts);
    const bool complete = read.problem.isEmpty();
    if (texts.isEmpty())
        texts.append(QString());
    while (texts.size() < LanguageEntryCount)
        texts.append(QString());
    setLanguage(applied, std::move(texts));

    // Without any usable table the window keeps the captions it has.
    if (complete)
        applyLanguageTexts(applied);
    applyQtTranslations(applied);

    // Start-up shows the open page; a change from the menu leaves the user
    // on the page they were on.
    if (!m_languageLoaded)
        m_ui.SSTab1->setCurrentIndex(0);
    m_languageLoaded = true;
    markLanguageInMenu(m_ui, this, applied);
    if (complete)
        m_ui.mnuShowLan->setText(
            caption(languageMenuShown(m_ui) ? LangEntry::HideLanguages : LangEntry::ShowLanguages));
    RetranslateShown();
    Q_EMIT languageChanged(applied);
}

// The captions, in the order the window has always written them.
bool frmMain::applyLanguageTexts(int language)
{
    m_ui.mnuMenu->setTitle(caption(LangEntry::MenuTitle));
    m_ui.SSTab1->setTabText(0, caption(LangEntry::OpenFileList));
    m_ui.Command2->setText(caption(LangEntry::OpenFileList));
    m_ui.Frame2->setTitle(caption(LangEntry::OpenFileList));
    m_ui.SSTab1->setTabText(1, caption(LangEntry::ViewList));
    m_ui.Label7->setText(caption(LangEntry::LocateListHint));
    m_ui.Label2->setText(caption(LangEntry::FoldersLabel));
    m_ui.Label3->setText(caption(LangEntry::FilesLabel));
    m_ui.Label5->setText(caption(LangEntry::SizeLabel));
    m_ui.Label8->setText(caption(LangEntry::LanguageChanged));
    m_ui.Frame1->setTitle(caption(LangEntry::FolderStructureTitle));
    m_folderTreeModel->setHeaderData(0, Qt::Horizontal, caption(LangEntry::FolderTreeHeader));
    if (m_fileGridModel && m_fileGridModel->columnCount() >= 1) {
        // The folder shown keeps its name over the first column.
        const FolderTree &tree = m_session->loadedList().SftTree1;
        m_fileGridModel->setHeaderData(0, Qt::Horizontal,
                                       m_session->CurrentFolderItem() >= 0 &&
                                               m_session->CurrentFolderItem() < tree.count()
                                           ? tree.text(m_session->CurrentFolderItem())
                                           : caption(LangEntry::GridName));
        m_fileGridModel->setHeaderData(1, Qt::Horizontal, caption(LangEntry::GridModified));
        m_fileGridModel->setHeaderData(2, Qt::Horizontal, caption(LangEntry::GridSize));
        m_fileGridModel->setHeaderData(4, Qt::Horizontal, caption(LangEntry::GridStatus));
    }
    m_ui.Frame4->setTitle(caption(LangEntry::FilterTitle));
    m_ui.Label10->setText(caption(LangEntry::TermLabel));
    m_ui.Label30->setText(fixedWord(LangEntry::FilterLabel, u"Filter"_s));
    m_ui.Command5->setText(fixedWord(LangEntry::FilterButton, u"Filter"_s));
    // The pattern hint and the attribute legend: the window's own English
    // and Portuguese texts, and the language table's for the other languages.
    if (language == LanguageEnglish) {
        m_ui.Label12->setText(u"e.g. [*.doc; *reports*.xls;*.mdb;*.jpg]"_s);
        m_ui.Label21->setToolTip(u"D=Directory, R=Read-Only, H=Hidden, S=System, A=Archive, "
                                 u"E=Encrypted, N=Normal, L=Alias, V=Volume, C=Compressed"_s);
    } else if (language == LanguagePortuguese) {
        m_ui.Label12->setText(u"Ex. [*.doc; *reports*.xls;*.mdb;*.jpg]"_s);
        m_ui.Label21->setToolTip(u"D=Directoria, R=Read-Only, H=Oculto, S=Sistema, A=Arquivo, "
                                 u"E=Encriptado, N=Normal, L=Alias, V=Volume,C=Comprimido"_s);
    } else {
        if (!caption(LangEntry::PatternHint).isEmpty())
            m_ui.Label12->setText(caption(LangEntry::PatternHint));
        if (!caption(LangEntry::AttributeLegend).isEmpty())
            m_ui.Label21->setToolTip(caption(LangEntry::AttributeLegend));
    }
    m_ui.Frame6->setTitle(caption(LangEntry::DateSearchTitle));
    m_ui.Label11->setText(caption(LangEntry::DateFrom));
    m_ui.Label13->setText(caption(LangEntry::DateTo));
    m_ui.Command3->setText(caption(LangEntry::SearchButton));
    m_ui.Command4->setText(caption(LangEntry::DateSearchButton));
    m_ui.Frame8_1->setTitle(caption(LangEntry::FileDetailsTitle));
    m_ui.Label14->setText(caption(LangEntry::DetailsFilesLabel));
    m_ui.Label15->setText(caption(LangEntry::DetailsSizeLabel));
    m_ui.Label17->setText(caption(LangEntry::DetailsModified));
    m_ui.Label16->setText(caption(LangEntry::DetailsSize));
    m_ui.Label18->setText(caption(LangEntry::DetailsAttributes));
    UpdateWindowTitle(); // entry 40 and the version, then the list shown
    m_ui.mnuLan->setTitle(caption(LangEntry::LanguagesMenu));
    m_ui.mnuReload->setText(caption(LangEntry::ReloadList));
    m_ui.mnuExit->setText(caption(LangEntry::Exit));
    m_ui.Frame3->setTitle(caption(LangEntry::ZipListsTitle));
    m_ui.lblEmail->setText(caption(LangEntry::ApprovalPrompt));
    m_controllers.open->retranslate();
    return true;
}

void frmMain::mnuShowLan_Click()
{
    if (languageMenuShown(m_ui)) {
        m_ui.mnuLan->menuAction()->setVisible(false);
        m_ui.mnuShowLan->setText(caption(LangEntry::ShowLanguages));
    } else {
        m_ui.mnuLan->menuAction()->setVisible(true);
        m_ui.mnuShowLan->setText(caption(LangEntry::HideLanguages));
    }
}

} // namespace corvane
