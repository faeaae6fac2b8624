// The date search's two pickers: the locale they read and write dates in,
// their hints for a date that cannot be read, and the range they take from a
// loaded list.

#include "DatePicker.h"
#include "SearchController.h"
#include "WindowContext.h"
#include "app/language/LanguageTable.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void setSearchDateRange(DatePicker *from, DatePicker *to, const QDate &today)
{
    to->setDate(today);
    const int back = to->date().year() % 4 == 0 ? 366 : 365;
    from->setDate(today.addDays(-back));
}

void SearchController::setupDatePickers()
{
    for (DatePicker *picker : {m_w.DTPicker1, m_w.DTPicker2})
        connect(picker, &DatePicker::markChanged, this, &SearchController::showDateHint);
    applyDatePickerLanguage();
}

// Dates are written as the numbers are: in the user's own locale where it
// speaks the UI language (en_GB keeps day before month), else in the UI
// language's.
void SearchController::applyDatePickerLanguage()
{
    const QLocale locale = displayLocale(m_context.currentLanguage(), m_context.userLocale());
    for (DatePicker *picker : {m_w.DTPicker1, m_w.DTPicker2}) {
        picker->setLocale(locale);
        picker->setHints(m_context.langText(LangEntry::UnreadableDate),
                         m_context.langText(LangEntry::EmptyDate));
    }
    showDateHint();
}

// The hints of the pickers that are marked, each named by its label.
void SearchController::showDateHint()
{
    QStringList hints;
    for (const auto &[label, picker] :
         {std::pair{m_w.Label11, m_w.DTPicker1}, std::pair{m_w.Label13, m_w.DTPicker2}}) {
        if (picker->isMarkedUnreadable())
            hints << label->text() + u": "_s + picker->hint();
    }
    m_w.DateHint->setText(hints.join(u'\n'));
    m_w.DateHint->setVisible(!hints.isEmpty());
}

void SearchController::setDateRangeFromList(const QDate &today)
{
    const LoadedList &list = m_session.loadedList();
    if (!list.earliestDate.isValid()) {
        setSearchDateRange(m_w.DTPicker1, m_w.DTPicker2, today);
        return;
    }
    m_w.DTPicker1->setDate(list.earliestDate);
    m_w.DTPicker2->setDate(list.latestDate);
}

bool SearchController::checkSearchDates()
{
    const bool from = m_w.DTPicker1->checkDate();
    const bool to = m_w.DTPicker2->checkDate();
    if (from && to)
        return true;
    (from ? m_w.DTPicker2 : m_w.DTPicker1)->setFocus(Qt::OtherFocusReason);
    m_context.prompts().warning(m_context.promptParent(),
                                m_context.langText(LangEntry::DateSearchRefused) + u"\n\n"_s +
                                    m_w.DateHint->text(),
                                m_context.errorTitle(), false);
    return false;
}

} // namespace corvane
