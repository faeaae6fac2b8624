#pragma once

// The entries of the language table (lang.fil, LangText) the program reads,
// each named once. The value is the entry's line in lang.fil
// (data/make-lang.py writes them); the English text follows each name.
// frmMain::langText and frmMain::caption take only these.

#include <QtGlobal>

namespace corvane {

enum class LangEntry : int {
    // 1 to 50: the window's captions and messages.
    MenuTitle = 1,            // "Menu": mnuMenu
    OpenFileList = 2,         // "Open File List": tab page 0, Command2, Frame2, mnuOpen
    ViewList = 3,             // "View list": tab page 1
    LocateListHint = 4,       // "Locate the file list on your computer...": Label7
    FoldersLabel = 5,         // "Folders": Label2
    FilesLabel = 6,           // "Files": Label3, the overview's files column
    SizeLabel = 7,            // "Size": Label5, the overview's size column
    LanguageChanged = 8,      // "Language changed": status line after a change
    FolderStructureTitle = 9, // "Folder Structure " (ends with a space): Frame1
    FolderTreeHeader = 10,    // "Path\Filename": the folder tree's header
    GridName = 11,            // "Name": file grid column 1 while no folder is shown
    GridModified = 12,        // "Modified": file grid column 2
    GridSize = 13,            // "Size": file grid column 3
    GridStatus = 14,          // "Status": file grid column 5
    FilterTitle = 15,         // " Filter" (begins with a space): Frame4
    TermLabel = 16,           // "Term": Label10
    SearchButton = 17,        // "Search": Command3
    DateSearchTitle = 19,     // "Search by Date": Frame6
    DateFrom = 20,            // "From": Label11
    DateTo = 21,              // "To": Label13
    DateSearchButton = 22,    // "Search": Command4
    FileDetailsTitle = 23,    // "File Details": Frame8_1
    DetailsFilesLabel = 24,   // "Files": Label14
    DetailsSizeLabel = 25,    // "Size": Label15
    DetailsHint = 26,         // "Select a file to see its details": UniLabel1
    DetailsModified = 27,     // "Modified :": Label17
    DetailsSize = 28,         // "Size :": Label16
    DetailsAttributes = 29,   // "Attributes :": Label18
    MemberGridHeader = 31,    // "File lists in the zip archive": iGrid3's header
    DetailsNotAFile = 32,     // "No details: this is not a file": UniLabel1
    ReadingZip = 33,          // "Reading the zip archive, please wait..."
    LinesRead = 34,           // "All lines read, building the folder tree..."
    SortingList = 35,         // "Sorting the file list, please wait..."
    LoadingList = 36,         // "Loading the file list, please wait..."
    LoadedFromZip = 37,       // "File list loaded from the zip archive"
    MatchesWord = 38,         // "Matches": before a search's match count
    SearchingByDate = 39,     // "Searching by date, please wait..."
    ProgramName = 40,         // "Corvane": window title, note viewer title
    QuitQuestion = 41,        // "Do you want to quit Corvane?"
    ResultNotWritable = 42,   // "The file already exists or cannot be overwritten."
    ListNotFound = 43,        // "The file list cannot be found."
    LanguagesMenu = 44,       // "Languages": mnuLan
    ShowLanguages = 45,       // "Show Languages": mnuShowLan while mnuLan is hidden
    HideLanguages = 46,       // "Hide Languages": mnuShowLan while mnuLan is shown
    ReloadList = 47,          // "Reload Filelist": mnuReload
    Exit = 48,                // "Exit": mnuExit
    ZipListsTitle = 49,       // "Multiple File Lists in Zip": Frame3
    ApprovalPrompt = 50,      // "To approve this list by e-mail click here ->": lblEmail

    // 51 to 69: load stop button, the lab's notes, hints, the language file.
    LoadStop = 52,             // "Stop": LoadStopButton
    LoadStopTip = 53,          // "Stop loading (Esc)": LoadStopButton's tool tip
    NotesTitle = 54,           // "Notes from the lab": NotesFrame
    NotesHint = 55,            // "Double-click a note to read it": NotesHint
    NoteUnreadable = 56,       // "The note "%1" cannot be read: %2"
    PatternHint = 57,          // "e.g. [*.doc; ...]": Label12 (not English, Portuguese)
    AttributeLegend = 58,      // "D=Directory, R=Read-Only, ...": Label21's tool tip
    LanguageFileUnusable = 59, // "The language file "%1" cannot be used: %2. ..."

    // 70 to 89: loading a list, zip archives, unpacking a member.
    ListChangedWhileRead = 70,    // "The file list changed while it was read. ..."
    NotListBinary = 71,           // "This file does not look like a file list: ... binary data"
    NotListNoListLine = 72,       // "... none of its first lines reads path, date, ..."
    LoadAnyway = 73,              // "Load it anyway?"
    UnpackBigMember = 74,         // "This list unpacks to %1. Unpack it anyway?"
    UnpackEncrypted = 75,         // "... could not be unpacked: ... protected by a password."
    UnpackDamaged = 76,           // "... could not be unpacked: the zip archive is damaged."
    UnpackUnsupported = 77,       // "... stored in a way Corvane cannot read."
    UnpackNoSpace = 78,           // "... there is not enough free disk space."
    UnpackFolderNotWritable = 79, // "... Corvane's data folder cannot be written."
    UnpackFailed = 80,            // "The list could not be unpacked from the zip archive."
    ListReadCutShort = 81,        // "The file list "%1" could not be read to its end. ..."
    FileUnreadable = 82,          // "The file "%1" could not be read."
    NotAListFolderOrDevice = 83,  // ""%1" is not a file list: it is a folder or a device."
    ListFileEmpty = 84,           // "The file "%1" is empty: it holds no list."
    ZipHoldsNoList = 85,          // "The zip archive "%1" holds no file list; ..."
    ZipCutShort = 86,             // "The zip archive "%1" is incomplete: it was cut short."
    ZipDamaged = 87,              // "The zip archive "%1" is damaged; nothing was loaded."
    ZipEntriesNotOffered = 88,    // "Entries of this archive not offered, ...: %1"
    TechnicalDetails = 89,        // "Technical details:"

    // 90 to 109: search and filter.
    FoundWord = 90,          // "Found : ": before a filter's match count
    SearchStop = 91,         // "Stop": SearchStop
    NoMatches = 92,          // "No matches found!": the message
    SearchingList = 93,      // "Searching the file list, please wait..."
    SearchStopped = 94,      // "The search was stopped; the list shown is unchanged."
    ResultReadCutShort = 95, // "The file list could not be read to its end:"

    // 110 to 124: the approval e-mail and saving a list.
    SaveListAs = 110,          // "Save list as...": mnuSaveList, the save dialog's title
    NoMailProgram = 111,       // "Unable to connect to your email client. ..."
    ApprovalDialogTitle = 112, // "Approval e-mail"
    MailHandedOver = 113,      // "Your mail program was asked to open this message. ..."
    MailNotHandedOver = 114,   // "No mail program could be started. ..."
    MailTo = 115,              // "To:"
    MailSubject = 116,         // "Subject:"
    MailMessage = 117,         // "Message:"
    CopyAll = 118,             // "Copy all"
    Close = 119,               // "Close"
    SaveFailed = 120,          // "The list could not be saved as "%1": %2. ..."
    SaveOverOpenList = 121,    // ""%1" is the list that is open or the file it came from: ..."
    FileListsFilter = 122,     // "File Lists": the save dialog's file type
    ListSaved = 123,           // "The list was saved as "%1" (%2 lines)."
    CopiedToClipboard = 124,   // "Copied to the clipboard."

    // 125 to 139: recent lists, drag and drop.
    RecentListsMenu = 125,     // "Recent Lists": mnuRecent
    RecentListGone = 126,      // "The list "%1" is no longer there. ..."
    OnlyFirstDropOpened = 127, // "Only the first of the %1 files was opened: %2"
    DropNotAList = 128,        // ""%1" is not a file list. Corvane opens lists (.csv) ..."
    ClearRecentLists = 129,    // "Clear Recent Lists"
    NoRecentLists = 130,       // "No recent lists"
    DropIsFolder = 131,        // ""%1" is a folder. Drop a list (.csv) or a zip archive ..."

    // 140 to 145: the recovery overview, the bottom row.
    OverviewRecovery = 140,   // "Recovery": the overview's column and frame
    StatusOther = 141,        // "other": statuses outside the named classes
    StatusUnknown = 142,      // "unknown": lines without a readable status
    LegendHint = 143,         // "Click a status to show only its files."
    ColumnsMenu = 144,        // "Columns": the tree header's context menu
    ZipNoteNotUnpacked = 145, // "The lab's note "%1" could not be unpacked."

    // 150 to 155: the program's own files, lists gone from the recent lists.
    OwnFileIsLink = 150,         // "Corvane's own file "%1" is a link. ..."
    OwnFileNotRegular = 151,     // "Corvane's own file "%1" is not an ordinary file ..."
    OwnFileTooLarge = 152,       // "Corvane's own file "%1" is far larger than ..."
    RecentListNowFolder = 153,   // ""%1" is now a folder, not a list. ..."
    RecentListNowDevice = 154,   // ""%1" is now a device or a pipe, not a list. ..."
    RecentListUnreachable = 155, // "The list "%1" cannot be reached (%2). ..."

    // 160: the lab's notes.
    NoteShownInPart = 160, // "Only the first %1 of this note are shown; ..."

    // 165 to 171: why a list could not be saved (the %2 of SaveFailed).
    SaveDiskFull = 165,       // "the disk is full"
    SaveNotRegularFile = 166, // "it is not an ordinary file (...) and was left as it is"
    SaveIsFolder = 167,       // "it is a folder"
    SaveBrokenLink = 168,     // "it is a link that leads to no file"
    SaveNoFolder = 169,       // "the folder does not exist"
    SaveNotPermitted = 170,   // "you may not write there"
    SaveSystemReported = 171, // "the system reported: %1"

    // 190: a reload that was stopped.
    ReloadStopped = 190, // "The reload was stopped; the list shown is unchanged."

    // 210 to 221: words once written in English in every language.
    NoFilter = 210,           // "(No Filter)": Combo1's first item
    ReloadFilter = 211,       // "(Reload)": Combo1's item that reloads the list
    FilterLabel = 212,        // "Filter": Label30
    FilterButton = 213,       // "Filter": Command5
    QuitTitle = 214,          // "Quit": title of the question when the window closes
    QuitQuestionTitle = 215,  // "Quit?": title of the question of mnuExit
    NoMailProgramTitle = 217, // "Unable to connect to email client.": title
    SelectionSuffix = 218,    // "-selection": added to the name Save list as proposes
    SizeUnits = 219,          // "Bytes Kb Mb Gb Tb": the five size units
    NoMatchesTitle = 220,     // "No matches found": the message's title
    ClearingOldList = 221,    // "Clearing old list..."

    // 230 to 232: the date pickers.
    UnreadableDate = 230,    // ""%1" cannot be read as a date. Type it as %2 or %3."
    EmptyDate = 231,         // "Type a date, as %1 or %2."
    DateSearchRefused = 232, // "The date search did not start: a date cannot be read."

    // 240 and 241: message box titles.
    ErrorTitle = 240,       // "Error"
    SystemErrorTitle = 241, // "System error!"

    // 242 to 265: the restore basket.
    BasketAddShown = 242,        // "Add all shown"
    BasketRemoveShown = 243,     // "Remove all shown"
    BasketChosen = 244,          // "Chosen: %1 files, %2; the largest %3"
    BasketTarget = 245,          // "Target drive:"
    BasketCapacityHint = 246,    // "Type the drive's size, as 500 GB, 2 TB or 64 GiB."
    BasketCapacityExample = 247, // "e.g. 1 TB": the size box's placeholder
    BasketFileSystem = 248,      // "The file system of the target drive": its box's tooltip
    BasketOnDrive = 249,         // "On the drive: %1 of %2": the room bar
    BasketOnDriveNoTarget = 250, // "On the drive: %1"
    BasketNoFit = 251,           // "Does not fit: %1 more is needed"
    BasketTooBig = 252,          // "%1 files too big for %2"
    BasketLongPaths = 253,       // "%1 paths longer than 260 characters"
    BasketSaveRestoreList = 254, // "Save restore list..."
    BasketEmpty = 255,           // "Empty basket"
    BasketRestoreSuffix = 256,   // "-restore": the name the restore list is proposed
    BasketLargestFiles = 257,    // "The largest chosen files": a warning's list
    BasketTooBigTitle = 258,     // "Files too big for %1"
    BasketLongPathsTitle = 259,  // "Paths longer than 260 characters below the drive's root"
    BasketMoreFiles = 260,       // "... and %1 more"
    BasketMailChosen = 261,      // "Chosen for the restore: %1 files, %2."
    BasketMailAttach = 262,      // "The list of them is the file "%1": please attach it ..."
    BasketMailNotSaved = 263,    // "Please save their list with "Save restore list..." ..."
    BasketListChanged = 264,     // "This list has changed since its choice ... starts empty."
    BasketDamaged = 265,         // "The kept choice ... could not be read (%1, its file) ..."
    BasketNotKept = 266,         // "The choice for the restore could not be kept ... (%1) ..."
    CheckOpen = 267,             // "Check my files..."
    CheckTitle = 268,            // "Did my files come back?"
    CheckHint = 269,            // "One file name or pattern a line, as Diplomarbeit, *.pst or I..."
    CheckOpenFile = 270,        // "Open file..."
    CheckRun = 271,             // "Check"
    CheckVerdictColumn = 272,   // "Verdict"
    CheckMatchesColumn = 273,   // "Matches"
    CheckEntryColumn = 274,     // "Entry"
    CheckBestColumn = 275,      // "Best match"
    CheckStatusColumn = 276,    // "Status"
    CheckRecovered = 277,       // "recovered"
    CheckPartial = 278,         // "partial"
    CheckDamaged = 279,         // "damaged"
    CheckMissing = 280,         // "missing"
    CheckSummary = 281,         // "%1 entries: %2 recovered, %3 partial, %4 damaged, %5 missing"
    CheckShowMatches = 282,     // "Show matches"
    CheckAddToBasket = 283,     // "Add to basket"
    CheckAddAllFound = 284,     // "Add all found to basket"
    CheckSaveResults = 285,     // "Save results..."
    CheckClose = 286,           // "Close"
    CheckListUnreadable = 287,  // "The file "%1" could not be read as a list of files to check:..."
    CheckFailed = 288,          // "The list could not be read to its end, so nothing was checke..."
    CheckResultsSuffix = 289,   // "-check"
    CheckFileFilter = 290,      // "Lists of files (*.txt;*.csv)"
    CheckResultsFilter = 291,   // "CSV files (*.csv)"
    CheckResultsSaved = 292,    // "The results were saved as "%1"."
    CheckResultsNotSaved = 293, // "The results could not be saved as "%1": %2"
    CheckNoList = 294,          // "Open a list first: the files are checked against it."

    // 295 to 347: the files by kind and the recovery report.
    KindsOpen = 295,             // "Files by kind..."
    KindsTitle = 296,            // "What came back, by kind: %1"
    KindsKindColumn = 297,       // "Kind"
    KindsFilesColumn = 298,      // "Files"
    KindsSizeColumn = 299,       // "Size"
    ClassGood = 300,             // "good"
    ClassPartial = 301,          // "partial"
    ClassBad = 302,              // "bad"
    ClassUnknown = 303,          // "unknown"
    KindsRecoveryColumn = 304,   // "Recovery"
    KindPhotos = 305,            // "Photos"
    KindVideos = 306,            // "Videos"
    KindMusic = 307,             // "Music"
    KindDocuments = 308,         // "Documents"
    KindSpreadsheets = 309,      // "Spreadsheets"
    KindPresentations = 310,     // "Presentations"
    KindMail = 311,              // "Mail"
    KindArchives = 312,          // "Archives"
    KindDatabases = 313,         // "Databases"
    KindPrograms = 314,          // "Programs"
    KindOther = 315,             // "Other"
    KindsAll = 316,              // "All kinds"
    KindsHint = 317,             // "Click a number to show those files in the list."
    ReportSave = 318,            // "Save report..."
    ReportPrint = 319,           // "Print report..."
    ReportTitle = 320,           // "Recovery report"
    ReportFileName = 321,        // "File list"
    ReportZipName = 322,         // "Zip file"
    ReportLines = 323,           // "Lines"
    ReportOpened = 324,          // "Opened"
    ReportSha256 = 325,          // "SHA-256"
    ReportKindsHeading = 326,    // "Files by kind"
    ReportStatusHeading = 327,   // "The files by status"
    ReportClassColumn = 328,     // "Class"
    ReportShareColumn = 329,     // "Share"
    ReportOtherStatuses = 330,   // "%1 other statuses"
    ReportNoStatus = 331,        // "(no status)"
    ReportFoldersHeading = 332,  // "Top-level folders"
    ReportFolderColumn = 333,    // "Folder"
    ReportMoreFolders = 334,     // "%1 more folders"
    ReportBasketHeading = 335,   // "Chosen for the restore"
    ReportApprovalHeading = 336, // "Approval"
    ReportSendTo = 337,          // "Send the approval to"
    ReportSubject = 338,         // "Subject"
    ReportPlaceDate = 339,       // "Place, date:"
    ReportSignature = 340,       // "Signature:"
    ReportFilter = 341,          // "PDF files (*.pdf);;Web pages (*.html);;CSV files (*.csv)"
    ReportSuffix = 342,          // "-report"
    ReportSaved = 343,           // "The report was saved as \"%1\"."
    ReportNotSaved = 344,        // "The report could not be saved as \"%1\": %2"
    ReportNoList = 345,          // "Open a list first: the report is of it."
    ReportWrongEnding = 346,     // "A report is written as PDF, HTML or CSV: end its name wit..."
    ReportWriting = 347,         // "Writing the report..."

    // 348 to 355: the recovery map.
    MapShow = 348,         // "Recovery map"
    MapFiles = 349,        // "%1 files, %2"
    MapOwnFiles = 350,     // "Files of this folder"
    MapSmallFolders = 351, // "%1 small folders"
    MapStatus = 352,       // "%1: %2 files, %3 (%4 %)"
    MapNotToScale = 353,   // "Not to scale: drawn larger than its bytes"
    MapHint = 354,         // "Click: show the folder. Double-click: go into it. Backspa..."
    MapUp = 355,           // "One folder up"

    // 356 to 387: comparing two lists.
    CompareOpen = 356,            // "Compare with another list..."
    CompareTitle = 357,           // "What changed between two lists"
    CompareOld = 358,             // "Old list: %1"
    CompareNew = 359,             // "New list: %1"
    CompareSwap = 360,            // "Swap"
    CompareChoose = 361,          // "Choose the other list..."
    CompareSummary = 362,         // "Added %1, removed %2, status changed %3 (%4 became good, ..."
    CompareAllChanges = 363,      // "All changes"
    CompareAdded = 364,           // "added"
    CompareRemoved = 365,         // "removed"
    CompareStatusChanged = 366,   // "status changed"
    CompareSizeChanged = 367,     // "size changed"
    CompareBecameBad = 368,       // "became damaged"
    CompareBecameGood = 369,      // "became good"
    ComparePathColumn = 370,      // "Path"
    CompareChangeColumn = 371,    // "Change"
    CompareOldStatusColumn = 372, // "Old status"
    CompareNewStatusColumn = 373, // "New status"
    CompareOldSizeColumn = 374,   // "Old size"
    CompareNewSizeColumn = 375,   // "New size"
    CompareSaveCsv = 376,         // "Save differences..."
    CompareSaveList = 377,        // "Save as list..."
    CompareShowNew = 378,         // "Browse the new list"
    CompareSaved = 379,           // "The differences were saved as \"%1\"."
    CompareNotSaved = 380,        // "The differences could not be saved as \"%1\": %2"
    CompareUnreadable = 381,      // "The list \"%1\" could not be read: %2"
    CompareNoList = 382,          // "Open a list first: it is compared with the other one."
    CompareFolders = 383,         // "Changed folders"
    CompareSuffix = 384,          // "-changes"
    CompareZip = 385,             // "A list inside a zip archive is compared once it is open: ..."
    CompareReading = 386,         // "Reading \"%1\"..."
    CompareShow = 387,            // "Show:"

    // 388 to 408: narrowing the list as the user types.
    FindHint = 388,          // "Narrows as you type: words, ext:jpg;png, size:>10mb, dm:2..."
    FindTipIntro = 389,      // "Narrows the list as you type; every word must hold:"
    FindTipPattern = 390,    // "word: the path holds it (* ? # [a-z] as in the search)"
    FindTipExt = 391,        // "ext:jpg;png: the name ends in one of these extensions"
    FindTipSize = 392,       // "size:>10mb, size:<1kb, size:1mb..1gb: the size (kb, mb, g..."
    FindTipDate = 393,       // "dm:2019, dm:2019-03, dm:2019-03-01..2019-06-30: the modif..."
    FindTipStatus = 394,     // "status:damaged: the status begins with it; class:good, pa..."
    FindTipKind = 395,       // "kind:photos, the kind of file: photos, videos, music, doc..."
    FindTipExclude = 396,    // "-word leaves out what it matches; \"annual report\" keeps..."
    FindTipKeys = 397,       // "Esc shows the whole list again; Enter or \"Search\" searc..."
    FindCount = 398,         // "%1 matches · %2"
    FindAll = 399,           // "All %1 lines match"
    FindNone = 400,          // "No match"
    FindNotUnderstood = 401, // "Not understood: %1 (%2)"
    FindBadSize = 402,       // "a size is a number with kb, mb, gb or tb after > or <, or..."
    FindBadDate = 403,       // "a date is a year, a year-month or a year-month-day, or tw..."
    FindUnknownClass = 404,  // "the classes are good, partial, bad and unknown"
    FindUnknownKind = 405,   // "the kinds are photos, videos, music, documents, spreadshe..."
    FindEmptyValue = 406,    // "nothing follows the colon"
    FindUnreadable = 407,    // "this word cannot be read"
    FindNarrowing = 408,     // "Narrowing..."

};

// Entries lang.fil holds that nothing reads:
//   0   the language's own name ("English")
//   18  and 30: "(not used)"
//   51  "Replace the file "%1" with the copy from the zip archive?"

// The entry's index in LangText.
constexpr int langIndex(LangEntry entry)
{
    return qToUnderlying(entry);
}

} // namespace corvane
