#include "qt/menu_table.h"

namespace zw {

namespace {

constexpr MenuHeading kHeadings[] = {
    {"mFile", "&Datei"},
    {"mEdit", "&Bearbeiten"},
    {"mSuDoKu", "&SuDoKu"},
    {"mHelp", "&?"},
};

// Long commands and everything that would change the board or the log under a running one
// are disabled while it runs; cancel, the log toggle, Copy, Info and Help stay live.
constexpr MenuEntry kEntries[] = {
    {"mFile", "mPrint", "&Drucken", "Ctrl+P", &frmMain::mPrint_Click, true},
    {"mFile", "mFileNew", "&Neu", "Ctrl+N", &frmMain::mFileNew_Click, true},
    {"mFile", "mFileOpen", "&Öffnen...", "Ctrl+O", &frmMain::mFileOpen_Click, true},
    {"mFile", "mFileSave", "&Speichern", "Ctrl+S", &frmMain::mFileSave_Click, true},
    {"mFile", "mFileSaveAs", "&Speichern unter...", "F12", &frmMain::mFileSaveAs_Click, true},
    {"mFile", "m1", nullptr, "", nullptr, false},
    {"mFile", "mFileExit", "B&eenden", "", &frmMain::mFileExit_Click, false},
    // Undo and Redo select a log line, so they wait for a run as a click on the log does.
    {"mEdit", "mEditUndo", "&Rückgängig", "Ctrl+Z", &frmMain::mEditUndo_Click, true},
    {"mEdit", "mEditRedo", "&Wiederherstellen", "Ctrl+Y; Ctrl+Shift+Z", &frmMain::mEditRedo_Click,
     true},
    {"mEdit", "mE1", nullptr, "", nullptr, false},
    {"mEdit", "mEditCopy", "&Kopieren", "Ctrl+C", &frmMain::mEditCopy_Click, false},
    {"mEdit", "mEditCut", "&Ausschneiden", "Ctrl+X", &frmMain::mEditCut_Click, true},
    {"mEdit", "mEditPaste", "&Einfügen", "Ctrl+V", &frmMain::mEditPaste_Click, true},
    {"mEdit", "mEditKillAll", "&Alles löschen", "", &frmMain::mEditKillAll_Click, true},
    {"mSuDoKu", "mSuDoKu_Statistik", "&Statistik", "Ctrl+I", &frmMain::mSuDoKu_Statistik_Click,
     true},
    {"mSuDoKu", "mSuDoKu_Loesen", "&Lösen", "Ctrl+L", &frmMain::mSuDoKu_Loesen_Click, true},
    {"mSuDoKu", "mSuDoKuSearchAll", "&Alle Lösungen suchen", "Ctrl+D",
     &frmMain::mSuDoKuSearchAll_Click, true},
    {"mSuDoKu", "mSuDoKu_Generate", "&Generieren", "Ctrl+G", &frmMain::mSuDoKu_Generate_Click,
     true},
    {"mSuDoKu", "mSuDoKuNewHeft", "&Heft erstellen", "Ctrl+H", &frmMain::mSuDoKuNewHeft_Click,
     true},
    {"mSuDoKu", "mSuDoKu_Tipp", "&Tipp", "Ctrl+T", &frmMain::mSuDoKu_Tipp_Click, true},
    {"mSuDoKu", "mSuDoKu_Schwierigkeit", "Sch&wierigkeit", "Ctrl+R",
     &frmMain::mSuDoKu_Schwierigkeit_Click, true},
    {"mSuDoKu", "mSuDoKu_FehlerSuchen", "&Fehler suchen", "Ctrl+F",
     &frmMain::mSuDoKu_FehlerSuchen_Click, true},
    {"mSuDoKu", "mS1", nullptr, "", nullptr, false},
    {"mSuDoKu", "mSuDoKuBeak", "A&bbrechen", "", &frmMain::mSuDoKuBeak_Click, false},
    {"mHelp", "mHelpHelp", "Hilfe", "F1", &frmMain::mHelpHelp_Click, false},
    {"mHelp", "mAbout", "Info", "", &frmMain::mAbout_Click, false},
};

}  // namespace

std::span<const MenuHeading> MenuHeadings() {
    return kHeadings;
}

std::span<const MenuEntry> MenuEntries() {
    return kEntries;
}

}  // namespace zw
