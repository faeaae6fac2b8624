#pragma once

// What the recovery overview keeps in the window: the folder totals of the
// shown list, the tree's bar delegate and the legend panel.

#include "listfile/FolderTotals.h"

#include <QObject>
#include <QString>

class QGroupBox;

namespace corvane {

class RecoveryBarDelegate;
class RecoveryLegend;

class OverviewParts : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    RecoveryBarDelegate *delegate = nullptr;
    QGroupBox *frame = nullptr; // the legend's frame on the "View list" page
    RecoveryLegend *legend = nullptr;
    QString settingsFile; // where the hidden tree columns are remembered; empty: nowhere
};

} // namespace corvane
