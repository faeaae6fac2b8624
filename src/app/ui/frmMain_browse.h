#pragma once

// The parts of the window that browsing keeps: the file grid's model, its
// image list, and the keys of the grid (Backspace goes up, Ctrl+C copies the
// selected rows' paths).

#include "browse/FileGridModel.h"
#include "browse/ui/FileTypeIcons.h"

#include <QObject>

namespace corvane {

class frmMain;

class BrowseParts : public QObject
{
    Q_OBJECT

public:
    explicit BrowseParts(frmMain &window);

    FileTypeIcons icons;
    FileGridModel model;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    frmMain &m_window;
};

} // namespace corvane
