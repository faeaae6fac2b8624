#pragma once

// The report's and the kinds view's words from the language table.

#include "app/language/LangEntry.h"
#include "listfile/SizeText.h"
#include "report/RecoveryReport.h"

#include <functional>

namespace corvane {

using LangTextOf = std::function<QString(LangEntry)>;

QString fileKindName(FileKind kind, const LangTextOf &text);
QString statusClassText(StatusClass statusClass, const LangTextOf &text);

// Numbers as locale writes them, sizes in units; languageCode ("de") is
// the HTML's lang.
ReportTexts reportTexts(const LangTextOf &text, const QLocale &locale, const SizeUnits &units,
                        const QString &languageCode);

} // namespace corvane
