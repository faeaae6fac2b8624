#pragma once

// The controllers of the main window, one per concern. Each is a child of the
// window, made by the window's setup for its concern and wired there to the
// session, the controls and the others' signals; no controller knows another.

namespace corvane {

class ApprovalController;
class BasketController;
class BrowseController;
class CheckController;
class CompareWindow;
class DesktopController;
class FindController;
class KeyboardController;
class KindsController;
class MapController;
class OpenController;
class OverviewController;
class SearchController;
class ZipNotesController;

struct WindowControllers
{
    OpenController *open = nullptr;         // the open command, zip members, extraction
    ZipNotesController *zipNotes = nullptr; // a zip's notes
    BrowseController *browse = nullptr;     // the tree, the grid, the details
    SearchController *search = nullptr;     // term, filter and date searches
    OverviewController *overview = nullptr; // the legend, the tree's columns and bars
    DesktopController *desktop = nullptr;   // drops, recent lists, window state
    ApprovalController *approval = nullptr; // the e-mail, "Save list as..."
    KeyboardController *keyboard = nullptr;
    BasketController *basket = nullptr; // the restore basket and its fit
    CheckController *check = nullptr;   // the customer's own list checked
    KindsController *kinds = nullptr;   // the files by kind, the report
    MapController *map = nullptr;       // the recovery map
    FindController *find = nullptr;     // find as you type
    CompareWindow *compare = nullptr;   // two lists compared
};

} // namespace corvane
