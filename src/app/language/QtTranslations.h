#pragma once

// Qt's own translations (the stock buttons Yes, No, OK, Cancel of Qt's
// dialogs), following the UI language chosen from lang.fil.

class QCoreApplication;

namespace corvane {

// Loads Qt's translation catalogues for the language (a LanguageNumber) from
// Qt's translations folder and installs them on the application, replacing
// the ones an earlier call installed. English removes them, so Qt's built-in
// English texts show. Returns false when no catalogue of the language could
// be loaded (the dialogs then speak English); true for English.
bool installQtTranslations(QCoreApplication *app, int language);

} // namespace corvane
