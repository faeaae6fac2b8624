// The date search's two pickers: the locale they read and write dates in,
// their hints for a date that cannot be read, and the range they take from a
// loaded list.

#include "DatePicker.h"
#include "frmMain.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void frmMain::setupDatePickers()
{
    for (DatePicker *picker : {DTPicker1, DTPicker2})
        connect(picker, &DatePicker::markChanged, this, &frmMain::showDateHint);
    applyDatePickerLanguage();
    connect(this, &frmMain::languageChanged, this, &frmMain::applyDatePickerLanguage);
}

// Dates are written as the numbers are: in the user's own locale where it
// speaks the UI language (en_GB keeps day before month), else in the UI
// language's.
void frmMain::applyDatePickerLanguage()
{
    const QLocale locale = displayLocale(m_language, m_settings.locale);
    for (DatePicker *picker : {DTPicker1, DTPicker2}) {
        picker->setLocale(locale);
        picker->setHints(langText(LangEntry::UnreadableDate), langText(LangEntry::EmptyDate));
    }
    showDateHint();
}

// The hints of the pickers that are marked, each named by its label.
void frmMain::showDateHint()
{
    QStringList hints;
    for (const auto &[label, picker] :
         {std::pair{Label11, DTPicker1}, std::pair{Label13, DTPicker2}}) {
        if (picker->isMarkedUnreadable())
            hints << label->text() + u": "_s + picker->hint();
    }
    DateHint->setText(hints.join(u'\n'));
    DateHint->setVisible(!hints.isEmpty());
}

void frmMain::SetDateRangeFromList()
{
    if (!m_session->loadedList().earliestDate.isValid()) {
        SetDateRange(today());
        return;
    }
    DTPicker1->setDate(m_session->loadedList().earliestDate);
    DTPicker2->setDate(m_session->loadedList().latestDate);
}

bool frmMain::CheckSearchDates()
{
    const bool from = DTPicker1->checkDate();
    const bool to = DTPicker2->checkDate();
    if (from && to)
        return true;
    (from ? DTPicker2 : DTPicker1)->setFocus(Qt::OtherFocusReason);
    m_prompts.warning(this, langText(LangEntry::DateSearchRefused) + u"\n\n"_s + DateHint->text(),
                      errorTitle(), false);
    return false;
}

} // namespace corvane
