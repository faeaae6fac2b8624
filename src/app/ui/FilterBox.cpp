#include "FilterBox.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace corvane {

namespace {

class FilterBoxEvents : public QObject
{
public:
    explicit FilterBoxEvents(QComboBox *box) : QObject(box), m_box(box) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        QLineEdit *edit = m_box->lineEdit();
        if (watched != edit)
            return QObject::eventFilter(watched, event);
        switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            // A plain click, not a drag that selects part of the text.
            if (mouse->button() == Qt::LeftButton && m_box->isEnabled() &&
                !edit->hasSelectedText() && edit->rect().contains(mouse->position().toPoint()))
                m_box->showPopup();
            break;
        }
        case QEvent::FocusOut:
            edit->setCursorPosition(0);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QComboBox *m_box;
};

} // namespace

void setUpFilterBox(QComboBox *box)
{
    QLineEdit *edit = box->lineEdit();
    if (!edit)
        return;
    edit->installEventFilter(new FilterBoxEvents(box));
    QObject::connect(box, &QComboBox::editTextChanged, edit, [edit] {
        if (!edit->hasFocus())
            edit->setCursorPosition(0);
    });
    QObject::connect(box, &QComboBox::currentIndexChanged, edit,
                     [edit] { edit->setCursorPosition(0); });
    edit->setCursorPosition(0);
}

} // namespace corvane
