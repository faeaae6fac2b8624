#include "BasketBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

template<class T> T *named(T *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

// A warning: a flat button that lists its files when pressed.
QPushButton *newWarning(QWidget *parent, const QString &name)
{
    auto *button = named(new QPushButton(parent), name);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->hide();
    return button;
}

} // namespace

BasketBarControls buildBasketBar(QWidget *bar)
{
    BasketBarControls c;
    c.BasketBar = bar;
    auto *rows = new QVBoxLayout(bar);
    rows->setContentsMargins(0, 2, 0, 2);
    rows->setSpacing(2);

    auto *first = new QHBoxLayout;
    rows->addLayout(first);
    c.BasketAddShown = named(new QPushButton(bar), u"BasketAddShown"_s);
    c.BasketRemoveShown = named(new QPushButton(bar), u"BasketRemoveShown"_s);
    c.BasketFigures = named(new QLabel(bar), u"BasketFigures"_s);
    c.BasketFigures->setTextFormat(Qt::PlainText);
    c.BasketSave = named(new QPushButton(bar), u"BasketSave"_s);
    c.BasketEmpty = named(new QPushButton(bar), u"BasketEmpty"_s);
    first->addWidget(c.BasketAddShown);
    first->addWidget(c.BasketRemoveShown);
    first->addWidget(c.BasketFigures, 1);
    first->addWidget(c.BasketSave);
    first->addWidget(c.BasketEmpty);

    c.BasketTargetRow = named(new QWidget(bar), u"BasketTargetRow"_s);
    auto *second = new QHBoxLayout(c.BasketTargetRow);
    second->setContentsMargins(0, 0, 0, 0);
    rows->addWidget(c.BasketTargetRow);
    QWidget *row = c.BasketTargetRow;
    c.BasketTargetLabel = named(new QLabel(row), u"BasketTargetLabel"_s);
    c.BasketCapacity = named(new QLineEdit(row), u"BasketCapacity"_s);
    c.BasketCapacity->setMaximumWidth(110);
    c.BasketFileSystem = named(new QComboBox(row), u"BasketFileSystem"_s);
    c.BasketRoomBar = named(new QProgressBar(row), u"BasketRoomBar"_s);
    c.BasketRoomBar->setRange(0, BasketRoomBarSteps);
    c.BasketRoomBar->setMinimumWidth(160);
    c.BasketNoFit = newWarning(bar, u"BasketNoFit"_s);
    c.BasketTooBig = newWarning(bar, u"BasketTooBig"_s);
    c.BasketLongPaths = newWarning(bar, u"BasketLongPaths"_s);
    second->addWidget(c.BasketTargetLabel);
    second->addWidget(c.BasketCapacity);
    second->addWidget(c.BasketFileSystem);
    second->addWidget(c.BasketRoomBar, 1);
    // The warnings below, sharing their row; the figures and the warnings
    // take the room there is: the bar never makes the window wider.
    auto *warnings = new QHBoxLayout;
    rows->addLayout(warnings);
    warnings->addWidget(c.BasketNoFit, 1);
    warnings->addWidget(c.BasketTooBig, 1);
    warnings->addWidget(c.BasketLongPaths, 1);
    for (QWidget *w :
         {static_cast<QWidget *>(c.BasketFigures), static_cast<QWidget *>(c.BasketNoFit),
          static_cast<QWidget *>(c.BasketTooBig), static_cast<QWidget *>(c.BasketLongPaths)})
        w->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    c.BasketTargetRow->hide();
    return c;
}

} // namespace corvane
