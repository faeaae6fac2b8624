#pragma once

// The main window's controls, one pointer each, named as the window's design
// names them (a control's object name is the same name). build() and the
// setup of each concern make them, the language code re-captions them; the
// window hands each controller the ones it drives. The window owns the
// controls through Qt's parent chain: this struct owns nothing.

#include "basket/ui/BasketBar.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QMainWindow;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableView;
class QTreeView;
class QWidget;

namespace corvane {

class DatePicker;
class MapView;

struct MainWindowControls
{
    // The controls of both pages and the menus, in window (MainWindowControls.cpp);
    // each concern's setup adds its own.
    void build(QMainWindow *window);

    QTabWidget *SSTab1 = nullptr;
    QWidget *SSTab1Page0 = nullptr;
    QWidget *SSTab1Page1 = nullptr;

    // Page 0, "Open file list".
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame9 = nullptr;
    QLabel *Label7 = nullptr;
    QPushButton *Command2 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QProgressBar *LoadProgressBar = nullptr; // how far a load is (not in the zip frame)
    QPushButton *LoadStopButton = nullptr;   // beside the load bar
    QGroupBox *Frame3 = nullptr;
    QTableView *iGrid3 = nullptr;
    QLabel *Label9 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    // The notes of the opened archive, beside the member grid.
    QGroupBox *NotesFrame = nullptr;
    QLabel *NotesHint = nullptr;
    QListView *NotesList = nullptr;
    QGroupBox *Frame7 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label25 = nullptr;
    QLabel *lblLink = nullptr;
    QLabel *Label26 = nullptr;
    QPushButton *Command1 = nullptr;
    QLineEdit *UniTextBox1 = nullptr;
    QLabel *Label28 = nullptr;

    // Page 1, "View list".
    QLabel *lblEmail = nullptr;
    QLabel *Image2 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QSplitter *TreeGridSplitter = nullptr;
    QTreeView *SftTree1 = nullptr;
    QTableView *iGrid2 = nullptr;
    QSplitter *GridMapSplitter = nullptr; // iGrid2 above, the recovery map below
    MapView *MapView1 = nullptr;
    BasketBarControls basketBar; // the restore basket's bar, below the tree and the grid
    QGroupBox *Frame4 = nullptr;
    QLabel *Label10 = nullptr;
    QLineEdit *TXT1 = nullptr;
    QLabel *Label12 = nullptr;
    QLabel *FindCount = nullptr; // the matches while the list narrows as the user types
    QLabel *FindHint = nullptr;  // the words of the narrowing, below the pattern hint
    QLabel *Label30 = nullptr;
    QComboBox *Combo1 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command5 = nullptr;
    QLabel *Label24 = nullptr;
    QGroupBox *Frame8_1 = nullptr; // Frame8 member 1, "File Details"
    QLabel *Label14 = nullptr;
    QLabel *Label22 = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *Label23 = nullptr;
    QGroupBox *Frame6 = nullptr;
    QLabel *Label11 = nullptr;
    DatePicker *DTPicker1 = nullptr;
    QLabel *Label13 = nullptr;
    DatePicker *DTPicker2 = nullptr;
    QPushButton *Command4 = nullptr;
    QLabel *DateHint = nullptr; // below the pickers while one cannot be read
    QPushButton *SearchStop = nullptr;
    QProgressBar *SearchProgressBar = nullptr;
    QGroupBox *Frame8_0 = nullptr; // Frame8 member 0, the details panel
    QLabel *UniLabel1 = nullptr;
    QLabel *Label17 = nullptr;
    QLabel *Label20 = nullptr;
    QLabel *Label16 = nullptr;
    QLabel *Label19 = nullptr;
    QLabel *Label18 = nullptr;
    QLabel *Label21 = nullptr;

    // Outside the tab control.
    QLabel *picIcon = nullptr;
    QLabel *picSmall = nullptr;

    // Menus.
    QMenu *mnuMenu = nullptr;
    QAction *mnuOpen = nullptr;        // "Open File List", Ctrl+O, first in "Menu"
    QAction *mnuSaveList = nullptr;    // "Save list as..."
    QAction *mnuCheck = nullptr;       // "Check my files..."
    QAction *mnuCompare = nullptr;     // "Compare with another list..."
    QAction *mnuKinds = nullptr;       // "Files by kind..."
    QAction *mnuReport = nullptr;      // "Save report..."
    QAction *mnuPrintReport = nullptr; // "Print report..."
    QAction *mnuMap = nullptr;         // "Recovery map", checkable
    QAction *mnuReload = nullptr;
    QAction *mnuShowLan = nullptr;
    QAction *mnuB1 = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuLan = nullptr;
    QAction *mnuEN = nullptr;
    QAction *mnuPT = nullptr;
    QAction *mnuGerman = nullptr;
    QAction *mnuFrench = nullptr;
    QAction *mnuSE = nullptr;
    QAction *mnuNL = nullptr;

    // Frame8 as the array of two frames.

    // Keys with no control of their own.
    QAction *FindTermAction = nullptr; // Ctrl+F: the term box
    QAction *MenuKeyAction = nullptr;  // F10: "Menu" opens

    // Frame8 as the array of two frames.
    QGroupBox *Frame8(int index) const { return index == 0 ? Frame8_0 : Frame8_1; }
};

} // namespace corvane
