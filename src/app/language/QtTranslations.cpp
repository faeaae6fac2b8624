#include "QtTranslations.h"

#include "LanguageTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QStringList>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// Qt 6 asks for the stock button texts (Yes, No, OK, Cancel) in the context
// QPlatformTheme; the older combined catalogues (Swedish has no other) keep
// them under QDialogButtonBox. This translator answers the former from the
// latter, and is asked after every other one.
class StockButtonTranslator : public QTranslator
{
public:
    StockButtonTranslator(QTranslator *catalogue, QObject *parent)
        : QTranslator(parent), m_catalogue(catalogue)
    {}

    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        if (m_catalogue == nullptr || qstrcmp(context, "QPlatformTheme") != 0) {
            return QString();
        }
        return m_catalogue->translate("QDialogButtonBox", sourceText, disambiguation, n);
    }

    bool isEmpty() const override { return m_catalogue == nullptr; }

private:
    QPointer<QTranslator> m_catalogue;
};

// The translators the last call installed, owned by the application.
QPointer<QTranslator> installedStockButtons;
QPointer<QTranslator> installedQtBase;
QPointer<QTranslator> installedQt;

// Catalogue suffixes to try for a language, best first. Qt ships Brazilian
// Portuguese for qtbase only, so European Portuguese falls back to it.
QStringList suffixesFor(int language)
{
    switch (language) {
    case LanguagePortuguese:
        return {u"pt_PT"_s, u"pt"_s, u"pt_BR"_s};
    case LanguageGerman:
        return {u"de"_s};
    case LanguageFrench:
        return {u"fr"_s};
    case LanguageSwedish:
        return {u"sv"_s};
    case LanguageDutch:
        return {u"nl"_s};
    default:
        return {};
    }
}

void removeInstalled(QCoreApplication *app)
{
    for (QPointer<QTranslator> *slot : {&installedQtBase, &installedStockButtons, &installedQt}) {
        if (QTranslator *translator = slot->data()) {
            app->removeTranslator(translator);
            delete translator;
        }
        *slot = nullptr;
    }
}

QTranslator *loadFirst(QCoreApplication *app, const QString &catalogue, const QStringList &suffixes,
                       const QString &folder)
{
    for (const QString &suffix : suffixes) {
        // QTranslator::load would also try shortened names ("qt_pt" for
        // "qt_pt_PT", even "qt"): only the exact catalogue is wanted here.
        const QString file = catalogue + u'_' + suffix + u".qm"_s;
        if (!QFileInfo(QDir(folder).filePath(file)).isFile()) {
            continue;
        }
        auto *translator = new QTranslator(app);
        // A meta catalogue (qt_de.qm names qtbase_de.qm and the modules) fails
        // to load when one of the modules it names is not installed.
        if (translator->load(file, folder) && !translator->isEmpty()) {
            return translator;
        }
        delete translator;
    }
    return nullptr;
}

} // namespace

bool installQtTranslations(QCoreApplication *app, int language)
{
    if (app == nullptr) {
        return false;
    }
    removeInstalled(app);
    const QStringList suffixes = suffixesFor(language);
    if (suffixes.isEmpty()) {
        return language == LanguageEnglish;
    }
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // The translator installed last is asked first: qtbase (the current
    // catalogue) goes in after the older combined qt_ catalogue.
    installedQt = loadFirst(app, u"qt"_s, suffixes, folder);
    if (installedQt) {
        installedStockButtons = new StockButtonTranslator(installedQt, app);
        app->installTranslator(installedStockButtons);
        app->installTranslator(installedQt);
    }
    installedQtBase = loadFirst(app, u"qtbase"_s, suffixes, folder);
    if (installedQtBase) {
        app->installTranslator(installedQtBase);
    }
    return installedQt || installedQtBase;
}

} // namespace corvane
