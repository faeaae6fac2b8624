#pragma once

// The restore basket's bar below the folder tree and the file grid, built by
// the window's layout code with the other controls (so that it stands in
// the window's focus order where it is seen) and driven by its controller.
//
//   [Add all shown] [Remove all shown]  Chosen: ...   [Save restore list...] [Empty basket]
//   Target drive: [size] [file system] [room on the drive      ] warnings
//
// The second row, the figures and the two buttons on the right show while
// something is chosen.

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace corvane {

struct BasketBarControls
{
    QWidget *BasketBar = nullptr;
    QPushButton *BasketAddShown = nullptr;
    QPushButton *BasketRemoveShown = nullptr;
    QLabel *BasketFigures = nullptr;
    QPushButton *BasketSave = nullptr;
    QPushButton *BasketEmpty = nullptr;
    QWidget *BasketTargetRow = nullptr;
    QLabel *BasketTargetLabel = nullptr;
    QLineEdit *BasketCapacity = nullptr;
    QComboBox *BasketFileSystem = nullptr;
    QProgressBar *BasketRoomBar = nullptr;
    QPushButton *BasketNoFit = nullptr; // the warnings: each lists its files when pressed
    QPushButton *BasketTooBig = nullptr;
    QPushButton *BasketLongPaths = nullptr;
};

// The bar's controls, in the widget bar (which gets their layout).
BasketBarControls buildBasketBar(QWidget *bar);

// The room bar's steps.
inline constexpr int BasketRoomBarSteps = 1000;

} // namespace corvane
