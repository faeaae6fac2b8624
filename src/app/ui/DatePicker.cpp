#include "DatePicker.h"

#include "listfile/ListDate.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

DatePicker::DatePicker(QWidget *parent) : QWidget(parent), m_locale(locale())
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(u"DateText"_s);
    m_button = new QToolButton(this);
    m_button->setObjectName(u"DateCalendarButton"_s);
    m_button->setArrowType(Qt::DownArrow);
    // One stop for the keyboard: the text; Alt+Down opens the calendar.
    m_button->setFocusPolicy(Qt::NoFocus);
    row->addWidget(m_edit, 1);
    row->addWidget(m_button);
    setFocusProxy(m_edit);
    // Reached by Tab as one control: its text.
    setFocusPolicy(m_edit->focusPolicy());
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setObjectName(u"DateCalendarPopup"_s);
    m_popup->setFrameShape(QFrame::StyledPanel);
    auto *box = new QVBoxLayout(m_popup);
    box->setContentsMargins(1, 1, 1, 1);
    m_calendar = new QCalendarWidget(m_popup);
    m_calendar->setObjectName(u"DateCalendar"_s);
    m_calendar->setLocale(locale());
    box->addWidget(m_calendar);
    m_popup->installEventFilter(this);
    m_edit->installEventFilter(this);

    connect(m_button, &QToolButton::clicked, this, &DatePicker::showCalendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, [this](QDate day) {
        m_popup->hide();
        takeDate(day);
        m_edit->setFocus(Qt::PopupFocusReason);
    });
    connect(m_calendar, &QCalendarWidget::activated, this, [this](QDate day) {
        m_popup->hide();
        takeDate(day);
        m_edit->setFocus(Qt::PopupFocusReason);
    });
    connect(m_edit, &QLineEdit::editingFinished, this, &DatePicker::editingDone);
    // A corrected text loses its red frame at once; a wrong one gets it only
    // when the user leaves the field, not at every key.
    connect(m_edit, &QLineEdit::textEdited, this, [this] {
        if (m_marked && hasReadableDate())
            setMarked(false);
    });
}

QDate DatePicker::date() const
{
    return readTypedDate(m_edit->text(), m_locale);
}

void DatePicker::setDate(QDate date)
{
    if (!date.isValid())
        return;
    takeDate(date);
}

void DatePicker::takeDate(QDate date)
{
    m_edit->setText(typedDateText(date, m_locale));
    setMarked(false);
    if (m_confirmed != date) {
        m_confirmed = date;
        Q_EMIT dateChanged(date);
    }
}

void DatePicker::editingDone()
{
    const QDate day = date();
    if (!day.isValid()) {
        setMarked(true);
        return;
    }
    // "1.2.19" becomes "01.02.19": what is shown is what is searched for.
    takeDate(day);
}

void DatePicker::setHints(const QString &unreadable, const QString &empty)
{
    m_unreadableHint = unreadable;
    m_emptyHint = empty;
    if (m_marked)
        setMarked(true);
}

QString DatePicker::hint() const
{
    if (hasReadableDate())
        return QString();
    // The last day of the year: its day cannot be taken for a month.
    const QDate example(QDate::currentDate().year(), 12, 31);
    const QString local = typedDateText(example, m_locale);
    const QString iso = example.toString(u"yyyy-MM-dd"_s);
    const QString text = m_edit->text().trimmed();
    if (text.isEmpty())
        return m_emptyHint.arg(local, iso);
    return m_unreadableHint.arg(text, local, iso);
}

bool DatePicker::checkDate()
{
    setMarked(!hasReadableDate());
    return !m_marked;
}

void DatePicker::setMarked(bool marked)
{
    if (marked == m_marked && !marked)
        return;
    if (marked != m_marked) {
        m_marked = marked;
        // A red frame, readable on light and dark palettes alike.
        m_edit->setStyleSheet(marked ? u"QLineEdit { border: 2px solid #d01010; }"_s : QString());
    }
    m_edit->setToolTip(marked ? hint() : QString());
    Q_EMIT markChanged(marked);
}

void DatePicker::showCalendar()
{
    const QDate day = date();
    m_calendar->setSelectedDate(day.isValid() ? day : QDate::currentDate());
    m_popup->adjustSize();
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen *screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        const QSize size = m_popup->sizeHint();
        if (at.y() + size.height() > room.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - size.height());
        at.setX(
            std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - size.width())));
    }
    m_popup->move(at);
    m_popup->show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

void DatePicker::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LocaleChange && locale() != m_locale) {
        // The text was written in the old locale: the same day is written
        // again in the new one. A text that cannot be read stays as typed.
        const QDate day = date();
        m_locale = locale();
        m_calendar->setLocale(m_locale);
        if (day.isValid())
            m_edit->setText(typedDateText(day, m_locale));
        else if (m_marked)
            setMarked(true); // the hint's examples in the new form
    }
    QWidget::changeEvent(event);
}

bool DatePicker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (watched == m_popup && key->key() == Qt::Key_Escape) {
        m_popup->hide();
        m_edit->setFocus(Qt::PopupFocusReason);
        return true;
    }
    if (watched != m_edit)
        return QWidget::eventFilter(watched, event);
    if (key->key() == Qt::Key_F4 ||
        (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier)) {
        showCalendar();
        return true;
    }
    if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
        key->modifiers() == Qt::NoModifier) {
        const QDate day = date();
        if (day.isValid())
            takeDate(day.addDays(key->key() == Qt::Key_Up ? 1 : -1));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace corvane
