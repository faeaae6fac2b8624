#pragma once

// A date field the user can type over or pick from a calendar: a line edit
// with a button that opens a calendar below it. The whole text is one date,
// read as readTypedDate reads it (the order and separators of the widget's
// locale, or yyyy-MM-dd) and written as typedDateText writes it. A text that
// cannot be read is framed in red once the user leaves the field (Enter, Tab,
// a click elsewhere), with the hint as its tooltip; date() is invalid until
// the text is corrected, so that nothing uses a date the user did not mean.
//
// The widget's own locale (QWidget::setLocale) is the one it reads and
// writes dates in; the calendar follows it. Alt+Down or F4 opens the
// calendar, Up and Down step the date by a day.

#include <QDate>
#include <QLocale>
#include <QString>
#include <QWidget>

class QCalendarWidget;
class QFrame;
class QLineEdit;
class QToolButton;

namespace corvane {

class DatePicker : public QWidget
{
    Q_OBJECT

public:
    explicit DatePicker(QWidget *parent = nullptr);

    // The day the text reads as; invalid while it cannot be read.
    QDate date() const;
    // Shows date in the locale's form (an invalid date is not taken).
    void setDate(QDate date);
    bool hasReadableDate() const { return date().isValid(); }

    // The hint for a text that cannot be read: %1 is the text, %2 and %3 an
    // example date in the locale's form and in yyyy-MM-dd. emptyHint is the
    // same for an empty field (%1 and %2 the examples).
    void setHints(const QString &unreadable, const QString &empty);
    QString hint() const; // for the text as it is now; empty when it reads

    // Marks the field when its text cannot be read, as leaving it does;
    // returns whether it can be read.
    bool checkDate();
    bool isMarkedUnreadable() const { return m_marked; }

    bool calendarPopup() const { return true; }
    QCalendarWidget *calendarWidget() const { return m_calendar; }
    QLineEdit *lineEdit() const { return m_edit; }
    QToolButton *calendarButton() const { return m_button; }
    void showCalendar();

Q_SIGNALS:
    // Another readable date taken from the calendar, the keys or setDate,
    // or typed and confirmed.
    void dateChanged(QDate date);
    // The red frame went on or off, or the hint of a marked field changed.
    void markChanged(bool unreadable);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setMarked(bool marked);
    void takeDate(QDate date);
    void editingDone();

    QLineEdit *m_edit = nullptr;
    QToolButton *m_button = nullptr;
    QFrame *m_popup = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    QLocale m_locale;  // the one the text is written in
    QDate m_confirmed; // the day dateChanged last told
    QString m_unreadableHint;
    QString m_emptyHint;
    bool m_marked = false;
};

} // namespace corvane
